// The portable bitmap, greymap and pixmap formats, plain (P1 to P3) and raw (P4 to P6).
// Bitmaps become one bit a pixel; greymaps and pixmaps 24-bit RGB, with samples of any
// maximum value up to 65535 scaled to 0..255 to the nearest level. Plain samples above the
// maximum are taken as the maximum.

#include "engine/PictureConvert.h"
#include "engine/readers/ByteCursor.h"
#include "engine/readers/Decode.h"
#include "engine/readers/DecodeResults.h"

#include <algorithm>
#include <vector>

namespace fotoplex {
namespace {

constexpr std::uint32_t kLargestHeaderNumber = 0x7FFFFFFF;

struct PnmHeader {
    int kind = 0; // 1 to 6, from the magic number
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t maxValue = 1;

    bool plain() const { return kind <= 3; }
    bool bitmap() const { return kind == 1 || kind == 4; }
    bool greymap() const { return kind == 2 || kind == 5; }
};

bool isSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Skips white space and comments ("#" to the end of the line).
void skipSeparators(ByteCursor& cursor) {
    for (;;) {
        const int c = cursor.peek();
        if (isSpace(c)) {
            cursor.u8();
        } else if (c == '#') {
            while (!cursor.atEnd() && cursor.peek() != '\n' && cursor.peek() != '\r')
                cursor.u8();
        } else {
            return;
        }
    }
}

// An unsigned decimal number after separators; false when none or too large.
bool readNumber(ByteCursor& cursor, std::uint32_t& value) {
    skipSeparators(cursor);
    std::uint64_t number = 0;
    int digits = 0;
    while (cursor.peek() >= '0' && cursor.peek() <= '9') {
        number = number * 10 + static_cast<std::uint64_t>(cursor.u8() - '0');
        if (number > kLargestHeaderNumber)
            return false;
        ++digits;
    }
    value = static_cast<std::uint32_t>(number);
    return digits > 0;
}

bool readHeader(ByteCursor& cursor, PnmHeader& header) {
    if (cursor.u8() != 'P')
        return false;
    const int kind = cursor.u8() - '0';
    if (cursor.overrun() || kind < 1 || kind > 6)
        return false;
    header.kind = kind;
    // Pixel data follows the header, so a header number that runs into the end is cut.
    const auto field = [&](std::uint32_t& value) {
        return readNumber(cursor, value) && !cursor.atEnd();
    };
    if (!field(header.width) || !field(header.height))
        return false;
    if (!header.bitmap() && !field(header.maxValue))
        return false;
    if (header.maxValue < 1 || header.maxValue > 65535)
        return false;
    // A raw raster starts after exactly one white-space byte.
    if (!header.plain() && !isSpace(cursor.u8()))
        return false;
    return true;
}

// Reads samples from plain or raw data and scales them to 8 bits.
class SampleReader {
public:
    SampleReader(ByteCursor& cursor, const PnmHeader& header)
        : cursor_(cursor), header_(header), scale_(header.maxValue + 1),
          samplesLeft_(std::uint64_t{header.width} * header.height * (header.greymap() ? 1 : 3)) {
        for (std::uint32_t v = 0; v <= header.maxValue; ++v)
            scale_[v] = scaleToByte(v, header.maxValue);
    }

    // Fills `out` with scaled samples; false when the data ends first.
    bool read(std::span<std::uint8_t> out) {
        for (std::uint8_t& sample : out) {
            std::uint32_t value = 0;
            if (!next(value))
                return false;
            sample = scale_[std::min(value, header_.maxValue)];
        }
        return true;
    }

private:
    bool next(std::uint32_t& value) {
        if (header_.plain()) {
            // A number that runs into the end of the data may have been cut, unless it is
            // the picture's last.
            --samplesLeft_;
            return readNumber(cursor_, value) && (samplesLeft_ == 0 || !cursor_.atEnd());
        }
        if (header_.maxValue < 256) {
            value = cursor_.u8();
        } else {
            value = cursor_.u16be();
        }
        return !cursor_.overrun();
    }

    ByteCursor& cursor_;
    const PnmHeader& header_;
    std::vector<std::uint8_t> scale_;
    std::uint64_t samplesLeft_;
};

// In the file a 1 bit is black; in the picture a set bit is white.
bool readBitmapRow(ByteCursor& cursor, const PnmHeader& header, std::uint8_t* out,
                   std::size_t rowBytes) {
    if (!header.plain()) {
        const auto row = cursor.bytes(rowBytes);
        for (std::size_t i = 0; i < row.size(); ++i)
            out[i] = static_cast<std::uint8_t>(~row[i]);
        if (row.size() < rowBytes)
            return false;
        // Bits past the width stay clear.
        const std::size_t spare = rowBytes * 8 - header.width;
        out[rowBytes - 1] = static_cast<std::uint8_t>(out[rowBytes - 1] & (0xFF << spare));
        return true;
    }
    std::fill(out, out + rowBytes, std::uint8_t{0});
    for (std::size_t x = 0; x < header.width; ++x) {
        // Plain bitmap digits need no separators between them.
        skipSeparators(cursor);
        const int c = cursor.u8();
        if (cursor.overrun() || (c != '0' && c != '1'))
            return false;
        if (c == '0')
            out[x >> 3] = static_cast<std::uint8_t>(out[x >> 3] | (0x80u >> (x & 7)));
    }
    return true;
}

DecodeResult readRows(ByteCursor& cursor, const PnmHeader& header, Picture& picture) {
    if (header.bitmap()) {
        for (std::int32_t y = 0; y < picture.height; ++y) {
            if (!readBitmapRow(cursor, header, picture.row(y), picture.rowBytes()))
                return decodeIncomplete("PNM: bitmap data cut");
        }
        return decodeComplete();
    }
    SampleReader samples(cursor, header);
    const std::size_t channels = header.greymap() ? 1 : 3;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(picture.width) * channels);
    for (std::int32_t y = 0; y < picture.height; ++y) {
        if (!samples.read(row))
            return decodeIncomplete("PNM: pixel data cut");
        std::uint8_t* out = picture.row(y);
        if (channels == 3) {
            std::copy(row.begin(), row.end(), out);
            continue;
        }
        for (std::size_t x = 0; x < row.size(); ++x)
            out[3 * x] = out[3 * x + 1] = out[3 * x + 2] = row[x];
    }
    return decodeComplete();
}

} // namespace

DecodeResult decodePnm(std::span<const std::uint8_t> data, Picture& picture, DecodedInfo& info,
                       bool headerOnly) {
    ByteCursor cursor(data);
    PnmHeader header;
    if (!readHeader(cursor, header))
        return decodeFailed("PNM: not a portable anymap file");
    if (!sizeAllowed(header.width, header.height))
        return decodeFailed("PNM: size out of range");

    info = DecodedInfo{};
    info.width = static_cast<std::int32_t>(header.width);
    info.height = static_cast<std::int32_t>(header.height);
    if (headerOnly)
        return decodeComplete();
    // A raw bitmap holds 8 pixels a byte; every other kind at least a byte a pixel.
    if (!pictureFitsData(header.width, header.height, cursor.remaining(),
                         Expansion{header.bitmap() && !header.plain() ? 8u : 1u, 1}))
        return decodeFailed("PNM: picture larger than its data");

    Picture result = makePicture(info.width, info.height,
                                 header.bitmap() ? PixelFormat::Bilevel : PixelFormat::Rgb24);
    const DecodeResult status = readRows(cursor, header, result);
    picture = std::move(result);
    return status;
}

} // namespace fotoplex
