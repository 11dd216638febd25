// PCX, version 5 and below: 1 bit in one plane (two colours), 1 bit in two to four planes
// and 2 or 4 bits in one plane (the header's 16-colour palette), 8 bits in one plane (the
// 256-colour palette after the 0x0C marker at the end, else grey levels) and 8 bits in three
// or four planes (red, green, blue; a fourth plane is not used).

#include "engine/readers/ByteCursor.h"
#include "engine/readers/ColourTable.h"
#include "engine/readers/Decode.h"
#include "engine/readers/DecodeResults.h"

#include <algorithm>
#include <vector>

namespace fotoplex {
namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::size_t kTrailingPaletteSize = 769; // marker and 256 entries
constexpr std::uint8_t kManufacturer = 0x0A;
constexpr std::uint8_t kPaletteMarker = 0x0C;

enum class Layout { Bilevel, Planar, Packed, Indexed8, Rgb };

struct PcxHeader {
    bool runLength = true;
    std::uint8_t bitsPerPixel = 0;
    std::uint8_t planes = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint16_t dpiX = 0;
    std::uint16_t dpiY = 0;
    std::uint16_t bytesPerLine = 0;
    ColourTable headerPalette;
    Layout layout = Layout::Rgb;
};

bool chooseLayout(PcxHeader& header) {
    const int bits = header.bitsPerPixel;
    const int planes = header.planes;
    if (bits == 1 && planes == 1)
        header.layout = Layout::Bilevel;
    else if (bits == 1 && planes >= 2 && planes <= 4)
        header.layout = Layout::Planar;
    else if ((bits == 2 || bits == 4) && planes == 1)
        header.layout = Layout::Packed;
    else if (bits == 8 && planes == 1)
        header.layout = Layout::Indexed8;
    else if (bits == 8 && (planes == 3 || planes == 4))
        header.layout = Layout::Rgb;
    else
        return false;
    return true;
}

bool readHeader(ByteCursor& cursor, PcxHeader& header) {
    if (cursor.size() < kHeaderSize || cursor.u8() != kManufacturer)
        return false;
    const std::uint8_t version = cursor.u8();
    const std::uint8_t encoding = cursor.u8();
    header.bitsPerPixel = cursor.u8();
    const std::uint16_t xMin = cursor.u16le();
    const std::uint16_t yMin = cursor.u16le();
    const std::uint16_t xMax = cursor.u16le();
    const std::uint16_t yMax = cursor.u16le();
    header.dpiX = cursor.u16le();
    header.dpiY = cursor.u16le();
    header.headerPalette.count = 16;
    for (Colour& entry : std::span(header.headerPalette.entries).first(16)) {
        entry.red = cursor.u8();
        entry.green = cursor.u8();
        entry.blue = cursor.u8();
    }
    cursor.u8(); // reserved
    header.planes = cursor.u8();
    header.bytesPerLine = cursor.u16le();
    cursor.seek(kHeaderSize);
    if (version > 5 || encoding > 1)
        return false;
    header.runLength = encoding == 1;
    header.width = std::int64_t{xMax} - xMin + 1;
    header.height = std::int64_t{yMax} - yMin + 1;
    return chooseLayout(header);
}

// The bytes of the pixel data, run-length coded or stored.
class PcxByteStream {
public:
    PcxByteStream(ByteCursor& cursor, bool runLength) : cursor_(cursor), runLength_(runLength) {}

    // Fills `out` entirely, or returns false when the data ends first.
    bool read(std::span<std::uint8_t> out) {
        for (std::uint8_t& byte : out) {
            if (repeat_ == 0 && !startRun())
                return false;
            byte = value_;
            --repeat_;
        }
        return true;
    }

private:
    bool startRun() {
        // A zero count holds no bytes; looping over such pairs ends with the data.
        while (repeat_ == 0) {
            const std::uint8_t first = cursor_.u8();
            if (cursor_.overrun())
                return false;
            if (!runLength_ || (first & 0xC0) != 0xC0) {
                value_ = first;
                repeat_ = 1;
                return true;
            }
            repeat_ = first & 0x3F;
            value_ = cursor_.u8();
            if (cursor_.overrun())
                return false;
        }
        return true;
    }

    ByteCursor& cursor_;
    bool runLength_;
    std::size_t repeat_ = 0;
    std::uint8_t value_ = 0;
};

ColourTable paletteFor(const PcxHeader& header, std::span<const std::uint8_t> data) {
    ColourTable table;
    switch (header.layout) {
    case Layout::Bilevel:
        table.count = 2;
        table.entries[0] = header.headerPalette.entries[0];
        table.entries[1] = header.headerPalette.entries[1];
        // Two equal entries give no colours at all: the usual black and white.
        if (table.entries[0] == table.entries[1]) {
            table.entries[0] = kBlack;
            table.entries[1] = kWhite;
        }
        return table;
    case Layout::Planar:
    case Layout::Packed:
        table = header.headerPalette;
        table.count = std::size_t{1} << (header.bitsPerPixel * header.planes);
        return table;
    case Layout::Indexed8:
        table.count = 256;
        if (data.size() >= kHeaderSize + kTrailingPaletteSize &&
            data[data.size() - kTrailingPaletteSize] == kPaletteMarker) {
            const auto entries = data.last(kTrailingPaletteSize - 1);
            for (std::size_t i = 0; i < 256; ++i)
                table.entries[i] = Colour{entries[3 * i], entries[3 * i + 1], entries[3 * i + 2]};
        } else {
            for (std::size_t i = 0; i < 256; ++i) {
                const auto level = static_cast<std::uint8_t>(i);
                table.entries[i] = Colour{level, level, level};
            }
        }
        return table;
    case Layout::Rgb:
        return table;
    }
    return table;
}

// Turns one scan line (all planes) into the picture's row y.
void convertLine(const PcxHeader& header, const ColourTable& table,
                 std::span<const std::uint8_t> line, std::vector<std::uint8_t>& indices,
                 Picture& picture, std::int32_t y) {
    const auto width = static_cast<std::size_t>(picture.width);
    const std::size_t stride = header.bytesPerLine;
    switch (header.layout) {
    case Layout::Bilevel:
    case Layout::Indexed8:
        if (header.layout == Layout::Bilevel) {
            for (std::size_t x = 0; x < width; ++x)
                indices[x] = static_cast<std::uint8_t>((line[x >> 3] >> (7 - (x & 7))) & 1);
        } else {
            std::copy_n(line.begin(), width, indices.begin());
        }
        break;
    case Layout::Planar:
        for (std::size_t x = 0; x < width; ++x) {
            int index = 0;
            for (std::size_t plane = 0; plane < header.planes; ++plane)
                index |= ((line[plane * stride + (x >> 3)] >> (7 - (x & 7))) & 1) << plane;
            indices[x] = static_cast<std::uint8_t>(index);
        }
        break;
    case Layout::Packed: {
        const int bits = header.bitsPerPixel;
        const int perByte = 8 / bits;
        const int mask = (1 << bits) - 1;
        for (std::size_t x = 0; x < width; ++x) {
            const int shift = 8 - bits * (1 + static_cast<int>(x % perByte));
            indices[x] = static_cast<std::uint8_t>((line[x / perByte] >> shift) & mask);
        }
        break;
    }
    case Layout::Rgb: {
        std::uint8_t* out = picture.row(y);
        for (std::size_t x = 0; x < width; ++x) {
            out[3 * x] = line[x];
            out[3 * x + 1] = line[stride + x];
            out[3 * x + 2] = line[2 * stride + x];
        }
        return;
    }
    }
    writeIndexedRow(picture, y, indices, table);
}

} // namespace

DecodeResult decodePcx(std::span<const std::uint8_t> data, Picture& picture, DecodedInfo& info,
                       bool headerOnly) {
    ByteCursor cursor(data);
    PcxHeader header;
    if (!readHeader(cursor, header))
        return decodeFailed("not a PCX file");
    if (!sizeAllowed(header.width, header.height))
        return decodeFailed("PCX: size out of range");
    const std::uint64_t neededBytes =
        (static_cast<std::uint64_t>(header.width) * header.bitsPerPixel + 7) / 8;
    if (header.bytesPerLine < neededBytes)
        return decodeFailed("PCX: line length too short");
    // Run-length pairs repeat a byte at most 63 times; the measure is line bytes, not pixels.
    const std::uint64_t lineBytes =
        std::uint64_t{header.bytesPerLine} * header.planes * header.height;
    if (!dataCanHold(lineBytes, cursor.remaining(), header.runLength ? 63 : 1,
                     header.runLength ? 2 : 1))
        return decodeFailed("PCX: picture larger than its data");

    info = DecodedInfo{};
    info.width = static_cast<std::int32_t>(header.width);
    info.height = static_cast<std::int32_t>(header.height);
    info.resolutionX = header.dpiX;
    info.resolutionY = header.dpiY;
    if (headerOnly)
        return decodeComplete();

    const ColourTable table = paletteFor(header, data);
    const PixelFormat format =
        header.layout == Layout::Bilevel ? table.pixelFormat() : PixelFormat::Rgb24;
    Picture result = makePicture(info.width, info.height, format);
    std::vector<std::uint8_t> line(std::size_t{header.bytesPerLine} * header.planes);
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(info.width));
    PcxByteStream stream(cursor, header.runLength);
    DecodeResult status = decodeComplete();
    for (std::int32_t y = 0; y < result.height; ++y) {
        if (!stream.read(line)) {
            status = decodeIncomplete("PCX: pixel data cut");
            break;
        }
        convertLine(header, table, line, indices, result, y);
    }
    picture = std::move(result);
    return status;
}

} // namespace fotoplex
