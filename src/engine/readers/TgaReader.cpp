// Targa: colour-mapped (8 or 16-bit indices into a 15, 16, 24 or 32-bit map), true colour
// (15, 16, 24, 32 bits) and grey (8 bits), uncompressed or run-length encoded, any origin.
// Alpha is kept when the header's descriptor says the pixels carry alpha bits.

#include "engine/PictureConvert.h"
#include "engine/readers/ByteCursor.h"
#include "engine/readers/Decode.h"
#include "engine/readers/DecodeResults.h"

#include <algorithm>
#include <array>
#include <vector>

namespace fotoplex {
namespace {

constexpr std::size_t kHeaderSize = 18;
constexpr std::uint8_t kMaxRun = 128;

struct TgaHeader {
    std::uint8_t idLength = 0;
    std::uint8_t mapType = 0;
    std::uint8_t imageType = 0;
    std::uint16_t mapFirst = 0;
    std::uint16_t mapLength = 0;
    std::uint8_t mapDepth = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint8_t depth = 0;
    std::uint8_t descriptor = 0;

    bool mapped() const { return (imageType & 7) == 1; }
    bool grey() const { return (imageType & 7) == 3; }
    bool runLength() const { return imageType >= 9; }
    bool topDown() const { return (descriptor & 0x20) != 0; }
    bool rightToLeft() const { return (descriptor & 0x10) != 0; }
    unsigned alphaBits() const { return descriptor & 0x0F; }
    std::size_t bytesPerPixel() const { return (depth + 7u) / 8u; }
};

// A pixel as delivered: colour and alpha.
using Rgba = std::array<std::uint8_t, 4>;

bool readHeader(ByteCursor& cursor, TgaHeader& h) {
    h.idLength = cursor.u8();
    h.mapType = cursor.u8();
    h.imageType = cursor.u8();
    h.mapFirst = cursor.u16le();
    h.mapLength = cursor.u16le();
    h.mapDepth = cursor.u8();
    cursor.skip(4); // origin on the screen
    h.width = cursor.u16le();
    h.height = cursor.u16le();
    h.depth = cursor.u8();
    h.descriptor = cursor.u8();
    return !cursor.overrun();
}

bool validHeader(const TgaHeader& h) {
    const int type = h.imageType & 7;
    if ((h.imageType & ~0x0B) != 0 || type < 1 || type > 3 || h.mapType > 1) {
        return false;
    }
    // A colour map may come with any image type (true colour ignores it), but its entries
    // must have a size the format defines.
    const bool mapOk = h.mapDepth == 15 || h.mapDepth == 16 || h.mapDepth == 24 || h.mapDepth == 32;
    if (h.mapType == 1 && h.mapLength > 0 && !mapOk) {
        return false;
    }
    if (h.mapped()) {
        return h.mapType == 1 && (h.depth == 8 || h.depth == 16);
    }
    if (h.grey()) {
        return h.depth == 8 || h.depth == 16; // 16: grey and alpha
    }
    return h.depth == 15 || h.depth == 16 || h.depth == 24 || h.depth == 32;
}

// One stored colour of `depth` bits, little-endian, as BGR(A) or 5-5-5(-1).
Rgba colourOf(const std::uint8_t* p, unsigned depth, bool useAlpha) {
    switch (depth) {
    case 15:
    case 16: {
        const unsigned v = p[0] | (p[1] << 8);
        const auto five = [](unsigned c) { return scaleToByte(c, 31); };
        const bool opaque = depth == 15 || !useAlpha || (v & 0x8000) != 0;
        return {five((v >> 10) & 31), five((v >> 5) & 31), five(v & 31),
                static_cast<std::uint8_t>(opaque ? 255 : 0)};
    }
    case 24:
        return {p[2], p[1], p[0], 255};
    default:
        return {p[2], p[1], p[0], useAlpha ? p[3] : std::uint8_t{255}};
    }
}

std::vector<Rgba> readColourMap(ByteCursor& cursor, const TgaHeader& h) {
    std::vector<Rgba> map;
    const std::size_t entryBytes = (h.mapDepth + 7u) / 8u;
    if (h.mapType != 1 || entryBytes == 0) {
        return map;
    }
    const auto bytes = cursor.bytes(entryBytes * h.mapLength);
    map.assign(std::size_t{h.mapFirst} + h.mapLength, Rgba{0, 0, 0, 255});
    for (std::size_t i = 0; i < bytes.size() / entryBytes; ++i) {
        map[h.mapFirst + i] =
            colourOf(bytes.data() + i * entryBytes, h.mapDepth, h.alphaBits() > 0);
    }
    return map;
}

// Turns one stored pixel into its colour.
struct PixelMeaning {
    const TgaHeader& header;
    const std::vector<Rgba>& map;

    Rgba operator()(const std::uint8_t* p) const {
        if (header.mapped()) {
            const std::size_t index = header.depth == 8 ? p[0] : (p[0] | (p[1] << 8));
            return index < map.size() ? map[index] : Rgba{0, 0, 0, 255};
        }
        if (header.grey()) {
            const std::uint8_t a = header.depth == 16 && header.alphaBits() > 0 ? p[1] : 255;
            return {p[0], p[0], p[0], a};
        }
        return colourOf(p, header.depth, header.alphaBits() > 0);
    }
};

// Reads the stored pixels in file order; returns how many were read before the data ended.
std::size_t readPixels(ByteCursor& cursor, const TgaHeader& h, const PixelMeaning& meaning,
                       std::vector<Rgba>& out) {
    const std::size_t size = h.bytesPerPixel();
    std::size_t done = 0;
    while (done < out.size()) {
        std::size_t count = out.size() - done;
        bool repeat = false;
        if (h.runLength()) {
            const std::uint8_t packet = cursor.u8();
            repeat = (packet & 0x80) != 0;
            count = std::min<std::size_t>(count, (packet & 0x7Fu) + 1u);
        }
        if (cursor.overrun()) {
            break;
        }
        for (std::size_t i = 0; i < count; ++i) {
            if (i == 0 || !repeat) {
                const auto stored = cursor.bytes(size);
                if (stored.size() < size) {
                    return done;
                }
                out[done] = meaning(stored.data());
            } else {
                out[done] = out[done - 1];
            }
            ++done;
        }
    }
    return done;
}

// Places the pixels, read in file order, by the picture's origin.
void placePixels(const TgaHeader& h, const std::vector<Rgba>& stored, std::size_t done, bool alpha,
                 Picture& picture) {
    const std::size_t width = h.width;
    if (alpha) {
        picture.alpha.assign(width * h.height, 255);
    }
    for (std::size_t i = 0; i < done; ++i) {
        const std::size_t fileRow = i / width;
        const std::size_t fileColumn = i % width;
        const std::size_t y = h.topDown() ? fileRow : h.height - 1 - fileRow;
        const std::size_t x = h.rightToLeft() ? width - 1 - fileColumn : fileColumn;
        std::uint8_t* out = picture.row(static_cast<std::int32_t>(y)) + 3 * x;
        out[0] = stored[i][0];
        out[1] = stored[i][1];
        out[2] = stored[i][2];
        if (alpha) {
            picture.alpha[y * width + x] = stored[i][3];
        }
    }
}

bool hasAlpha(const TgaHeader& h) {
    if (h.alphaBits() == 0) {
        return false;
    }
    if (h.mapped()) {
        return h.mapDepth == 32 || h.mapDepth == 16;
    }
    return h.depth == 32 || h.depth == 16;
}

} // namespace

DecodeResult decodeTga(std::span<const std::uint8_t> data, Picture& picture, DecodedInfo& info,
                       bool headerOnly) {
    ByteCursor cursor(data);
    TgaHeader h;
    if (data.size() < kHeaderSize || !readHeader(cursor, h) || !validHeader(h)) {
        return decodeFailed("Targa: not a Targa header");
    }
    if (h.width == 0 || h.height == 0) {
        return decodeFailed("Targa: picture without pixels");
    }
    info.width = h.width;
    info.height = h.height;
    if (headerOnly) {
        return decodeComplete();
    }
    const std::uint64_t pixels = std::uint64_t{h.width} * h.height;
    cursor.skip(h.idLength);
    const std::vector<Rgba> map = readColourMap(cursor, h);
    const std::uint64_t stored = h.bytesPerPixel();
    const bool fits = h.runLength() ? dataCanHold(pixels, cursor.remaining(), kMaxRun, 1 + stored)
                                    : dataCanHold(pixels, cursor.remaining(), 1, stored);
    if (!sizeAllowed(h.width, h.height) || !fits) {
        return decodeFailed("Targa: picture larger than its data");
    }
    std::vector<Rgba> pixelsRead(pixels);
    const std::size_t done = readPixels(cursor, h, PixelMeaning{h, map}, pixelsRead);
    Picture result = makePicture(h.width, h.height, PixelFormat::Rgb24);
    placePixels(h, pixelsRead, done, hasAlpha(h), result);
    picture = std::move(result);
    return done == pixels ? decodeComplete() : decodeIncomplete("Targa: data cut short");
}

} // namespace fotoplex
