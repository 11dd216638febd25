// Windows icons and cursors: the largest image of the directory, its payload either a PNG
// or a bitmap without file header (of twice its height: colours, then the AND mask). The AND
// mask becomes transparency, unless a 32-bit image carries alpha of its own.

#include "engine/PictureConvert.h"
#include "engine/png/PngReader.h"
#include "engine/readers/BitmapFile.h"
#include "engine/readers/ByteCursor.h"
#include "engine/readers/Decode.h"
#include "engine/readers/DecodeResults.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace fotoplex {
namespace {

constexpr std::size_t kDirectorySize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::uint32_t kInfoHeaderSize = 40;

struct IconEntry {
    std::uint32_t width = 0; // 0 in the file means 256
    std::uint32_t height = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t size = 0;
    std::uint32_t offset = 0;
};

bool better(const IconEntry& a, const IconEntry& b) {
    const std::uint64_t areaA = std::uint64_t{a.width} * a.height;
    const std::uint64_t areaB = std::uint64_t{b.width} * b.height;
    if (areaA != areaB) {
        return areaA > areaB;
    }
    return a.bitCount != b.bitCount ? a.bitCount > b.bitCount : a.size > b.size;
}

// The largest image whose payload lies inside the file.
bool chooseEntry(ByteCursor& cursor, IconEntry& chosen) {
    if (cursor.u16le() != 0) {
        return false;
    }
    const std::uint16_t type = cursor.u16le();
    const std::uint16_t count = cursor.u16le();
    if ((type != 1 && type != 2) || count == 0 || cursor.overrun()) {
        return false;
    }
    bool found = false;
    for (std::uint16_t i = 0; i < count; ++i) {
        IconEntry e;
        e.width = cursor.u8();
        e.height = cursor.u8();
        cursor.skip(4); // colour count, reserved, planes or hot spot x
        e.bitCount = type == 1 ? cursor.u16le() : (cursor.u16le(), std::uint16_t{0});
        e.size = cursor.u32le();
        e.offset = cursor.u32le();
        if (cursor.overrun()) {
            break;
        }
        e.width = e.width == 0 ? 256 : e.width;
        e.height = e.height == 0 ? 256 : e.height;
        const bool inside = e.offset >= kDirectorySize && e.offset < cursor.size();
        if (inside && (!found || better(e, chosen))) {
            chosen = e;
            found = true;
        }
    }
    return found;
}

struct DibFacts {
    std::int32_t width = 0;
    std::int32_t height = 0; // of the picture: half the stored height
    std::uint16_t bitCount = 0;
    std::size_t colourRowBytes = 0;
    std::size_t colourBytes = 0; // header, palette and colour rows
    std::size_t maskRowBytes = 0;
};

bool readDib(std::span<const std::uint8_t> dib, DibFacts& f) {
    ByteCursor c(dib);
    const std::uint32_t headerSize = c.u32le();
    f.width = c.i32le();
    const std::int32_t stored = c.i32le();
    c.u16le(); // planes
    f.bitCount = c.u16le();
    const std::uint32_t compression = c.u32le();
    c.skip(12);
    const std::uint32_t coloursUsed = c.u32le();
    if (c.overrun() || headerSize < kInfoHeaderSize || f.width <= 0 || stored <= 1 ||
        f.bitCount == 0 || f.bitCount > 32) {
        return false;
    }
    f.height = stored / 2;
    f.colourRowBytes =
        (std::size_t{static_cast<std::uint32_t>(f.width)} * f.bitCount + 31) / 32 * 4;
    f.maskRowBytes = (static_cast<std::size_t>(f.width) + 31) / 32 * 4;
    const std::size_t paletteEntries =
        f.bitCount <= 8 ? (coloursUsed != 0 ? coloursUsed : std::size_t{1} << f.bitCount) : 0;
    const std::size_t masks = compression == 3 && headerSize == kInfoHeaderSize ? 12 : 0;
    f.colourBytes = headerSize + masks + std::min<std::size_t>(paletteEntries, 256) * 4 +
                    f.colourRowBytes * static_cast<std::size_t>(f.height);
    return sizeAllowed(f.width, f.height);
}

// The payload as a bitmap file of the picture's own height, for the bitmap reader.
std::vector<std::uint8_t> asBitmapFile(std::span<const std::uint8_t> dib, const DibFacts& f) {
    std::vector<std::uint8_t> file = withFileHeader(dib);
    const auto height = static_cast<std::uint32_t>(f.height);
    for (std::size_t i = 0; i < 4; ++i) {
        file[kBitmapFileHeaderSize + 8 + i] = static_cast<std::uint8_t>(height >> (8 * i));
    }
    return file;
}

// Transparency: a 32-bit image's own alpha when any pixel has some, else the AND mask
// (a set bit is transparent). Rows are stored bottom up.
void applyTransparency(std::span<const std::uint8_t> dib, const DibFacts& f, Picture& picture) {
    const auto width = static_cast<std::size_t>(f.width);
    const auto height = static_cast<std::size_t>(f.height);
    picture.alpha.assign(width * height, 255);
    const std::size_t colourStart = f.colourBytes - f.colourRowBytes * height;
    bool ownAlpha = false;
    if (f.bitCount == 32 && f.colourBytes <= dib.size()) {
        for (std::size_t y = 0; y < height; ++y) {
            const std::uint8_t* row =
                dib.data() + colourStart + (height - 1 - y) * f.colourRowBytes;
            for (std::size_t x = 0; x < width; ++x) {
                picture.alpha[y * width + x] = row[4 * x + 3];
                ownAlpha = ownAlpha || row[4 * x + 3] != 0;
            }
        }
    }
    if (ownAlpha) {
        return;
    }
    std::fill(picture.alpha.begin(), picture.alpha.end(), 255);
    for (std::size_t y = 0; y < height; ++y) {
        const std::size_t start = f.colourBytes + (height - 1 - y) * f.maskRowBytes;
        if (start + f.maskRowBytes > dib.size()) {
            continue;
        }
        for (std::size_t x = 0; x < width; ++x) {
            if ((dib[start + x / 8] & (0x80u >> (x % 8))) != 0) {
                picture.alpha[y * width + x] = 0;
            }
        }
    }
}

DecodeResult decodeDibPayload(std::span<const std::uint8_t> dib, Picture& picture,
                              DecodedInfo& info, bool headerOnly) {
    DibFacts facts;
    if (!readDib(dib, facts)) {
        return decodeFailed("icon: bad bitmap header");
    }
    info.width = facts.width;
    info.height = facts.height;
    if (headerOnly) {
        return decodeComplete();
    }
    if (!dataCanHold(std::uint64_t{static_cast<std::uint32_t>(facts.width)} * facts.height,
                     dib.size(), 8, 1)) {
        return decodeFailed("icon: picture larger than its data");
    }
    const std::vector<std::uint8_t> file = asBitmapFile(dib, facts);
    Picture colours;
    DecodedInfo ignored;
    DecodeResult result = decodeBmp(file, colours, ignored, false);
    if (result.status == DecodeStatus::Failed) {
        return result;
    }
    if (colours.format != PixelFormat::Rgb24) {
        colours = widenToRgb(colours);
    }
    applyTransparency(dib, facts, colours);
    picture = std::move(colours);
    if (result.status == DecodeStatus::Complete && dib.size() < facts.colourBytes) {
        result = decodeIncomplete("icon: data cut short");
    }
    return result;
}

} // namespace

DecodeResult decodeIco(std::span<const std::uint8_t> data, Picture& picture, DecodedInfo& info,
                       bool headerOnly) {
    ByteCursor cursor(data);
    IconEntry entry;
    if (data.size() < kDirectorySize + kEntrySize || !chooseEntry(cursor, entry)) {
        return decodeFailed("icon: not an icon or cursor directory");
    }
    const auto payload =
        data.subspan(entry.offset, std::min<std::size_t>(entry.size, data.size() - entry.offset));
    info = DecodedInfo{};
    if (payload.size() >= 8 && std::memcmp(payload.data(), "\x89PNG\r\n\x1a\n", 8) == 0) {
        DecodeResult result = decodePng(payload, picture, info, headerOnly);
        info.resolutionX = info.resolutionY = 0;
        return result;
    }
    return decodeDibPayload(payload, picture, info, headerOnly);
}

} // namespace fotoplex
