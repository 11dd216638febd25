// Windows and OS/2 bitmaps: core (12-byte), OS/2 2.x and info headers v3 to v5;
// 1, 4 and 8 bits through the palette, 16 and 32 bits through bit fields, 24 bits BGR;
// RLE8 and RLE4. Pixels an RLE stream skips (delta, early end of line or bitmap) stay black.
// A 32-bit picture's alpha bits are not used.

#include "engine/readers/BitmapFile.h"
#include "engine/readers/ByteCursor.h"
#include "engine/readers/ColourTable.h"
#include "engine/readers/Decode.h"
#include "engine/readers/DecodeResults.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <vector>

namespace fotoplex {
namespace {

constexpr std::uint32_t kFileHeaderSize = kBitmapFileHeaderSize;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;

enum Compression : std::uint32_t {
    kRgb = 0,
    kRle8 = 1,
    kRle4 = 2,
    kBitFields = 3,
    kAlphaBitFields = 6
};

struct BmpHeader {
    std::uint32_t pixelOffset = 0;
    std::uint32_t headerSize = 0;
    std::int64_t width = 0;
    std::int64_t height = 0; // always positive; see topDown
    bool topDown = false;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = kRgb;
    std::int32_t pixelsPerMetreX = 0;
    std::int32_t pixelsPerMetreY = 0;
    std::uint32_t coloursUsed = 0;
    std::uint32_t masks[3] = {0, 0, 0};
    std::uint64_t paletteOffset = 0;
    std::uint32_t paletteEntrySize = 4;
};

// OS/2 2.x headers share the info header's first fields but number their compressions
// differently; of those only "none", RLE8 and RLE4 are read.
bool isOs2Header(std::uint32_t size) {
    return size >= 16 && size <= 64 && size != 40 && size != 52 && size != 56;
}

// Fields after the header's size field; a short OS/2 2.x header leaves the later ones zero.
void readInfoFields(ByteCursor& cursor, BmpHeader& header) {
    const auto has = [&](std::uint32_t offset) { return header.headerSize >= offset + 8; };
    header.width = cursor.i32le();
    const std::int32_t height = cursor.i32le();
    cursor.u16le(); // planes
    header.bitCount = cursor.u16le();
    header.topDown = height < 0;
    header.height = std::abs(static_cast<std::int64_t>(height));
    if (has(12))
        header.compression = cursor.u32le();
    if (has(16))
        cursor.u32le(); // image size
    if (has(20))
        header.pixelsPerMetreX = cursor.i32le();
    if (has(24))
        header.pixelsPerMetreY = cursor.i32le();
    if (has(28))
        header.coloursUsed = cursor.u32le();
    if (isOs2Header(header.headerSize) && header.compression > kRle4)
        header.compression = 0xFFFFFFFF; // Huffman 1D or RLE24: not read
    std::uint64_t afterHeader = kFileHeaderSize + std::uint64_t{header.headerSize};
    const bool usesMasks =
        header.compression == kBitFields || header.compression == kAlphaBitFields;
    if (usesMasks) {
        // v3 headers keep the masks right after themselves; later ones inside.
        if (header.headerSize == kInfoHeaderSize) {
            cursor.seek(afterHeader);
            afterHeader += header.compression == kAlphaBitFields ? 16 : 12;
        } else {
            cursor.seek(kFileHeaderSize + kInfoHeaderSize);
        }
        for (std::uint32_t& mask : header.masks)
            mask = cursor.u32le();
    }
    header.paletteOffset = afterHeader;
}

// The header sizes bitmaps are written with: core, OS/2 2.x (16 to 64 bytes) and the info
// headers v3 to v5 (40, 52, 56, 108, 124). Any other size is damage, not a new layout.
bool knownHeaderSize(std::uint32_t size) {
    return size == kCoreHeaderSize || (size >= 16 && size <= 64) || size == 108 || size == 124;
}

bool readHeader(ByteCursor& cursor, BmpHeader& header) {
    if (cursor.u8() != 'B' || cursor.u8() != 'M')
        return false;
    cursor.skip(8); // file size, reserved
    header.pixelOffset = cursor.u32le();
    header.headerSize = cursor.u32le();
    if (header.headerSize < kCoreHeaderSize || cursor.overrun())
        return false;
    if (header.headerSize < 16) {
        header.width = cursor.u16le();
        header.height = cursor.u16le();
        cursor.u16le(); // planes
        header.bitCount = cursor.u16le();
        header.paletteEntrySize = 3;
        header.paletteOffset = kFileHeaderSize + std::uint64_t{header.headerSize};
    } else {
        readInfoFields(cursor, header);
    }
    return !cursor.overrun();
}

// The palette's size as the header declares it.
std::size_t declaredPaletteCount(const BmpHeader& header) {
    if (header.bitCount > 8)
        return 0;
    const std::size_t full = std::size_t{1} << header.bitCount;
    return header.coloursUsed > 0 && header.coloursUsed < full ? header.coloursUsed : full;
}

std::size_t paletteCount(const BmpHeader& header) {
    std::size_t count = declaredPaletteCount(header);
    // The palette cannot reach into the pixels.
    if (header.pixelOffset > header.paletteOffset) {
        const std::uint64_t room =
            (header.pixelOffset - header.paletteOffset) / header.paletteEntrySize;
        count = static_cast<std::size_t>(std::min<std::uint64_t>(count, room));
    }
    return count;
}

ColourTable readPalette(ByteCursor& cursor, const BmpHeader& header) {
    ColourTable table;
    table.count = paletteCount(header);
    cursor.seek(header.paletteOffset);
    for (std::size_t i = 0; i < table.count; ++i) {
        const auto entry = cursor.bytes(header.paletteEntrySize);
        if (entry.size() < 3)
            break;
        table.entries[i] = Colour{entry[2], entry[1], entry[0]};
    }
    return table;
}

bool validDepthAndCompression(const BmpHeader& header) {
    switch (header.compression) {
    case kRgb:
        return header.bitCount == 1 || header.bitCount == 4 || header.bitCount == 8 ||
               header.bitCount == 16 || header.bitCount == 24 || header.bitCount == 32;
    case kRle8:
        return header.bitCount == 8;
    case kRle4:
        return header.bitCount == 4;
    case kBitFields:
    case kAlphaBitFields:
        return header.bitCount == 16 || header.bitCount == 32;
    default:
        return false;
    }
}

// One colour channel of a bit-field pixel, scaled to 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Channel(std::uint32_t m) : mask(m) {
        if (mask == 0)
            return;
        shift = std::countr_zero(mask);
        bits = std::bit_width(mask >> shift);
    }

    std::uint8_t value(std::uint32_t pixel) const {
        if (bits == 0)
            return 0;
        const std::uint32_t v = (pixel & mask) >> shift;
        if (bits >= 8)
            return static_cast<std::uint8_t>(v >> (bits - 8));
        // Fewer bits are widened by repeating them: 5 bits abcde give abcdeabc.
        std::uint32_t widened = 0;
        for (int position = 8; position > 0;) {
            position -= bits;
            widened |= position >= 0 ? v << position : v >> -position;
        }
        return static_cast<std::uint8_t>(widened);
    }
};

struct RowDecoder {
    const BmpHeader& header;
    const ColourTable& table;
    Channel red, green, blue;
    std::vector<std::uint8_t> indices;

    RowDecoder(const BmpHeader& h, const ColourTable& t, const std::uint32_t masks[3])
        : header(h), table(t), red(masks[0]), green(masks[1]), blue(masks[2]),
          indices(static_cast<std::size_t>(h.width)) {}

    void decode(std::span<const std::uint8_t> in, Picture& picture, std::int32_t y) {
        const auto width = static_cast<std::size_t>(picture.width);
        std::uint8_t* out = picture.row(y);
        switch (header.bitCount) {
        case 1:
        case 4:
        case 8:
            unpackIndices(in, width);
            writeIndexedRow(picture, y, indices, table);
            return;
        case 16:
            for (std::size_t x = 0; x < width; ++x)
                putMasked(out + 3 * x,
                          static_cast<std::uint32_t>(in[2 * x] | (in[2 * x + 1] << 8)));
            return;
        case 24:
            for (std::size_t x = 0; x < width; ++x) {
                out[3 * x] = in[3 * x + 2];
                out[3 * x + 1] = in[3 * x + 1];
                out[3 * x + 2] = in[3 * x];
            }
            return;
        default:
            for (std::size_t x = 0; x < width; ++x) {
                const std::uint8_t* p = in.data() + 4 * x;
                putMasked(out + 3 * x, static_cast<std::uint32_t>(p[0]) | (p[1] << 8) |
                                           (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24));
            }
            return;
        }
    }

    void unpackIndices(std::span<const std::uint8_t> in, std::size_t width) {
        const int bits = header.bitCount;
        const int perByte = 8 / bits;
        const std::uint8_t mask = static_cast<std::uint8_t>((1u << bits) - 1);
        for (std::size_t x = 0; x < width; ++x) {
            const int shift = 8 - bits * (1 + static_cast<int>(x % perByte));
            indices[x] = static_cast<std::uint8_t>((in[x / perByte] >> shift) & mask);
        }
    }

    void putMasked(std::uint8_t* out, std::uint32_t pixel) const {
        out[0] = red.value(pixel);
        out[1] = green.value(pixel);
        out[2] = blue.value(pixel);
    }
};

void defaultMasks(BmpHeader& header) {
    if (header.compression == kBitFields || header.compression == kAlphaBitFields)
        return;
    if (header.bitCount == 16) {
        header.masks[0] = 0x7C00;
        header.masks[1] = 0x03E0;
        header.masks[2] = 0x001F;
    } else {
        header.masks[0] = 0x00FF0000;
        header.masks[1] = 0x0000FF00;
        header.masks[2] = 0x000000FF;
    }
}

DecodeResult decodeRows(ByteCursor& cursor, BmpHeader& header, const ColourTable& table,
                        Picture& picture) {
    defaultMasks(header);
    RowDecoder decoder(header, table, header.masks);
    const std::uint64_t stride =
        (static_cast<std::uint64_t>(header.width) * header.bitCount + 31) / 32 * 4;
    for (std::int32_t n = 0; n < picture.height; ++n) {
        if (cursor.remaining() < stride)
            return decodeIncomplete("BMP: pixel data cut");
        const auto row = cursor.bytes(static_cast<std::size_t>(stride));
        decoder.decode(row, picture, header.topDown ? n : picture.height - 1 - n);
    }
    return decodeComplete();
}

// Decodes run-length coded rows; the counts are in pixels, two pixels a byte for RLE4.
DecodeResult decodeRunLengths(ByteCursor& cursor, const BmpHeader& header, const ColourTable& table,
                              Picture& picture) {
    const bool fourBits = header.compression == kRle4;
    const std::int64_t width = picture.width;
    std::int64_t x = 0;
    std::int64_t row = 0;
    std::uint8_t run[256];
    // Pixels placed below the last row, or a delta leaving the picture: the codes do not
    // belong to this picture. (A run past a row's end is clipped: writers pad odd widths.)
    bool outside = false;
    const auto put = [&](std::size_t count) {
        outside = outside || row >= picture.height;
        if (row >= picture.height)
            return;
        const std::int64_t visible = std::clamp<std::int64_t>(width - x, 0, count);
        if (visible > 0) {
            const std::int32_t y =
                static_cast<std::int32_t>(header.topDown ? row : picture.height - 1 - row);
            writeIndexedRow(picture, y, std::span(run, static_cast<std::size_t>(visible)), table,
                            static_cast<std::size_t>(x));
        }
        x = std::min<std::int64_t>(x + static_cast<std::int64_t>(count), width);
    };
    while (row < picture.height) {
        const std::uint8_t count = cursor.u8();
        const std::uint8_t value = cursor.u8();
        if (cursor.overrun())
            return decodeIncomplete("BMP: RLE data cut");
        if (count > 0) {
            for (std::size_t i = 0; i < count; ++i)
                run[i] = fourBits ? ((i & 1) ? (value & 0x0F) : (value >> 4)) : value;
            put(count);
            continue;
        }
        if (value == 0) { // end of line
            x = 0;
            ++row;
        } else if (value == 1) { // end of bitmap
            break;
        } else if (value == 2) { // delta
            const std::uint8_t dx = cursor.u8();
            const std::uint8_t dy = cursor.u8();
            if (cursor.overrun())
                return decodeIncomplete("BMP: RLE data cut");
            outside = outside || x + dx > width || row + dy > picture.height;
            x = std::min<std::int64_t>(x + dx, width);
            row += dy;
        } else { // a literal run, padded to whole 16-bit words
            const std::size_t byteCount = fourBits ? (value + 1u) / 2 : value;
            const auto literal = cursor.bytes(byteCount + (byteCount & 1));
            const std::size_t have = std::min(literal.size(), byteCount);
            const std::size_t pixels = fourBits ? std::min<std::size_t>(value, have * 2) : have;
            for (std::size_t i = 0; i < pixels; ++i)
                run[i] = fourBits ? ((i & 1) ? (literal[i / 2] & 0x0F) : (literal[i / 2] >> 4))
                                  : literal[i];
            put(pixels);
            if (cursor.overrun())
                return decodeIncomplete("BMP: RLE data cut");
        }
    }
    return outside ? decodeIncomplete("BMP: RLE runs past the picture") : decodeComplete();
}

// A bitmap without its file header starts with the size of its info header.
bool isHeaderlessDib(std::span<const std::uint8_t> data) {
    ByteCursor cursor(data);
    const std::uint32_t size = cursor.u32le();
    return !cursor.overrun() && size >= kInfoHeaderSize && knownHeaderSize(size);
}

// The bytes of pixel data a picture needs at most per byte present: rows stored as they are
// need their whole size (of which a cut file may hold part); run-length data expands at most
// 255 pixels from two bytes, and a delta skips up to 255 rows, so it is bounded loosely.
bool dataCanHoldPicture(const BmpHeader& header, std::uint64_t pixelStart, std::size_t size) {
    const std::uint64_t present = pixelStart < size ? size - pixelStart : 0;
    if (header.compression == kRle8 || header.compression == kRle4) {
        return dataCanHold(static_cast<std::uint64_t>(header.width) * header.height, present, 1024,
                           1);
    }
    const std::uint64_t stride =
        (static_cast<std::uint64_t>(header.width) * header.bitCount + 31) / 32 * 4;
    return dataCanHold(stride * static_cast<std::uint64_t>(header.height), present, 1, 1);
}

DecodeResult decodeFileBmp(std::span<const std::uint8_t> data, Picture& picture, DecodedInfo& info,
                           bool headerOnly) {
    ByteCursor cursor(data);
    BmpHeader header;
    if (!readHeader(cursor, header))
        return decodeFailed("BMP: not a bitmap file");
    if (!knownHeaderSize(header.headerSize))
        return decodeFailed("BMP: bad header size");
    if (kFileHeaderSize + std::uint64_t{header.headerSize} > data.size())
        return decodeFailed("BMP: header cut");
    if (!validDepthAndCompression(header))
        return decodeFailed("BMP: depth or compression not supported");
    if (!sizeAllowed(header.width, header.height))
        return decodeFailed("BMP: size out of range");
    if (header.pixelOffset != 0 &&
        header.pixelOffset < kFileHeaderSize + std::uint64_t{header.headerSize})
        return decodeFailed("BMP: pixel data offset inside the header");

    const std::uint64_t pixelStart =
        header.pixelOffset != 0
            ? header.pixelOffset
            : header.paletteOffset + std::uint64_t{paletteCount(header)} * header.paletteEntrySize;
    if (!dataCanHoldPicture(header, pixelStart, data.size()))
        return decodeFailed("BMP: picture larger than its data");

    info = DecodedInfo{};
    info.width = static_cast<std::int32_t>(header.width);
    info.height = static_cast<std::int32_t>(header.height);
    info.resolutionX = dotsPerInchFromMetres(header.pixelsPerMetreX);
    info.resolutionY = dotsPerInchFromMetres(header.pixelsPerMetreY);
    if (headerOnly)
        return decodeComplete();

    const ColourTable table = readPalette(cursor, header);
    const PixelFormat format = header.bitCount == 1 ? table.pixelFormat() : PixelFormat::Rgb24;
    Picture result = makePicture(info.width, info.height, format);
    DecodeResult status = decodeIncomplete("BMP: pixel data missing");
    if (cursor.seek(pixelStart)) {
        status = header.compression == kRle8 || header.compression == kRle4
                     ? decodeRunLengths(cursor, header, table, result)
                     : decodeRows(cursor, header, table, result);
    }
    // A pixel offset inside the palette leaves colours missing and pixels read from the
    // palette: damaged, though the picture is kept.
    if (status.status == DecodeStatus::Complete && header.pixelOffset != 0 &&
        header.coloursUsed != 0 && table.count < declaredPaletteCount(header))
        status = decodeIncomplete("BMP: pixel data offset inside the palette");
    picture = std::move(result);
    return status;
}

} // namespace

std::vector<std::uint8_t> withFileHeader(std::span<const std::uint8_t> dib) {
    std::vector<std::uint8_t> file(kFileHeaderSize + dib.size(), 0);
    file[0] = 'B';
    file[1] = 'M';
    std::copy(dib.begin(), dib.end(), file.begin() + kFileHeaderSize);
    return file;
}

DecodeResult decodeBmp(std::span<const std::uint8_t> data, Picture& picture, DecodedInfo& info,
                       bool headerOnly) {
    if (data.size() >= 2 && data[0] == 'B' && data[1] == 'M')
        return decodeFileBmp(data, picture, info, headerOnly);
    if (isHeaderlessDib(data))
        return decodeFileBmp(withFileHeader(data), picture, info, headerOnly);
    return decodeFailed("BMP: not a bitmap file");
}

} // namespace fotoplex
