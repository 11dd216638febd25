// GIF 87a/89a: the first image of the file.
//
// The picture has the size of the logical screen, widened where the first image reaches
// past it. The image sits at its own offset; screen pixels it does not cover are
// transparent, coloured with the global palette's background entry. A graphic control
// extension before the image may name a transparent index, which becomes alpha 0.

#include "engine/readers/ByteCursor.h"
#include "engine/readers/ColourTable.h"
#include "engine/readers/Decode.h"
#include "engine/readers/DecodeResults.h"
#include "engine/readers/GifLzw.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace fotoplex {
namespace {

constexpr std::uint8_t kExtensionIntroducer = 0x21;
constexpr std::uint8_t kImageSeparator = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;
constexpr std::uint8_t kGraphicControlLabel = 0xF9;

struct GifScreen {
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    bool hasGlobalTable = false;
    ColourTable globalTable;
    std::uint8_t backgroundIndex = 0;
};

struct GifFrame {
    std::uint16_t left = 0;
    std::uint16_t top = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    bool interlaced = false;
    bool hasLocalTable = false;
    ColourTable localTable;
    bool hasTransparency = false;
    std::uint8_t transparentIndex = 0;
};

enum class Search { Found, NoImage, Damaged };

void readColourTable(ByteCursor& cursor, std::uint8_t sizeBits, ColourTable& table) {
    table.count = std::size_t{1} << ((sizeBits & 0x07) + 1);
    for (std::size_t i = 0; i < table.count; ++i) {
        table.entries[i].red = cursor.u8();
        table.entries[i].green = cursor.u8();
        table.entries[i].blue = cursor.u8();
    }
}

bool readScreen(ByteCursor& cursor, GifScreen& screen) {
    const auto signature = cursor.bytes(6);
    if (signature.size() != 6 || (std::memcmp(signature.data(), "GIF87a", 6) != 0 &&
                                  std::memcmp(signature.data(), "GIF89a", 6) != 0))
        return false;
    screen.width = cursor.u16le();
    screen.height = cursor.u16le();
    const std::uint8_t packed = cursor.u8();
    screen.backgroundIndex = cursor.u8();
    cursor.u8(); // pixel aspect ratio
    screen.hasGlobalTable = (packed & 0x80) != 0;
    if (screen.hasGlobalTable)
        readColourTable(cursor, packed, screen.globalTable);
    return !cursor.overrun();
}

// Skips a chain of data sub-blocks up to and including its zero-length terminator.
bool skipSubBlocks(ByteCursor& cursor) {
    for (;;) {
        const std::uint8_t length = cursor.u8();
        if (cursor.overrun())
            return false;
        if (length == 0)
            return true;
        if (!cursor.skip(length))
            return false;
    }
}

bool readExtension(ByteCursor& cursor, GifFrame& frame) {
    const std::uint8_t label = cursor.u8();
    if (label == kGraphicControlLabel && cursor.peek() >= 4) {
        const std::size_t blockStart = cursor.position();
        const std::uint8_t length = cursor.u8();
        const std::uint8_t packed = cursor.u8();
        cursor.u16le(); // delay
        frame.transparentIndex = cursor.u8();
        frame.hasTransparency = (packed & 0x01) != 0;
        cursor.seek(blockStart + 1 + length);
    }
    return !cursor.overrun() && skipSubBlocks(cursor);
}

// Walks the blocks to the first image descriptor and reads it, with its local table.
Search findFirstFrame(ByteCursor& cursor, GifFrame& frame) {
    for (;;) {
        const std::uint8_t introducer = cursor.u8();
        if (cursor.overrun())
            return Search::Damaged;
        if (introducer == kTrailer)
            return Search::NoImage;
        if (introducer == kExtensionIntroducer) {
            if (!readExtension(cursor, frame))
                return Search::Damaged;
            continue;
        }
        if (introducer != kImageSeparator)
            return Search::Damaged;
        frame.left = cursor.u16le();
        frame.top = cursor.u16le();
        frame.width = cursor.u16le();
        frame.height = cursor.u16le();
        const std::uint8_t packed = cursor.u8();
        frame.interlaced = (packed & 0x40) != 0;
        frame.hasLocalTable = (packed & 0x80) != 0;
        if (frame.hasLocalTable)
            readColourTable(cursor, packed, frame.localTable);
        return cursor.overrun() ? Search::Damaged : Search::Found;
    }
}

// The image data sub-blocks joined into one run; `cut` tells whether the data ended
// before the terminating empty block.
std::vector<std::uint8_t> gatherImageData(ByteCursor& cursor, bool& cut) {
    std::vector<std::uint8_t> codes;
    cut = false;
    for (;;) {
        const std::uint8_t length = cursor.u8();
        if (cursor.overrun()) {
            cut = true;
            return codes;
        }
        if (length == 0)
            return codes;
        const auto block = cursor.bytes(length);
        codes.insert(codes.end(), block.begin(), block.end());
        if (cursor.overrun()) {
            cut = true;
            return codes;
        }
    }
}

// The frame row that the n-th decoded row belongs to.
std::int32_t frameRowFor(std::int32_t decodedRow, std::int32_t height, bool interlaced) {
    if (!interlaced)
        return decodedRow;
    struct Pass {
        std::int32_t start;
        std::int32_t step;
    };
    constexpr Pass passes[] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
    std::int32_t row = decodedRow;
    for (const Pass& pass : passes) {
        const std::int32_t rowsInPass =
            height > pass.start ? (height - pass.start + pass.step - 1) / pass.step : 0;
        if (row < rowsInPass)
            return pass.start + row * pass.step;
        row -= rowsInPass;
    }
    return height - 1; // not reached: the passes hold every row
}

// Screen pixels outside the frame: the background colour, transparent. Frame pixels
// start black and opaque until decoded.
void paintOutsideFrame(Picture& picture, const GifFrame& frame, const GifScreen& screen) {
    const bool coversAll = frame.left == 0 && frame.top == 0 && frame.width == picture.width &&
                           frame.height == picture.height;
    if (coversAll)
        return;
    const auto width = static_cast<std::size_t>(picture.width);
    const std::uint8_t background = screen.hasGlobalTable ? screen.backgroundIndex : 0;
    const std::vector<std::uint8_t> backgroundRow(width, background);
    writeIndexedRow(picture, 0, backgroundRow, screen.globalTable);
    for (std::int32_t y = 1; y < picture.height; ++y)
        std::memcpy(picture.row(y), picture.row(0), picture.rowBytes());

    picture.alpha.assign(width * static_cast<std::size_t>(picture.height), 0);
    const std::vector<std::uint8_t> black(frame.width, 0);
    for (std::int32_t y = frame.top; y < frame.top + frame.height; ++y) {
        writeIndexedRow(picture, y, black, ColourTable{}, frame.left);
        std::memset(picture.alpha.data() + static_cast<std::size_t>(y) * width + frame.left, 255,
                    frame.width);
    }
}

// Copies the decoded indices into the picture, row by row in decoding order.
void placeFrame(Picture& picture, const GifFrame& frame, const ColourTable& table,
                std::span<const std::uint8_t> indices, std::size_t decoded) {
    if (frame.hasTransparency && picture.alpha.empty())
        picture.alpha.assign(static_cast<std::size_t>(picture.width) * picture.height, 255);
    const std::size_t frameWidth = frame.width;
    for (std::int32_t n = 0; n < frame.height; ++n) {
        const std::size_t begin = static_cast<std::size_t>(n) * frameWidth;
        if (begin >= decoded)
            break;
        const std::size_t count = std::min(frameWidth, decoded - begin);
        const auto row = indices.subspan(begin, count);
        const std::int32_t y = frame.top + frameRowFor(n, frame.height, frame.interlaced);
        writeIndexedRow(picture, y, row, table, frame.left);
        if (!frame.hasTransparency)
            continue;
        std::uint8_t* alpha =
            picture.alpha.data() + static_cast<std::size_t>(y) * picture.width + frame.left;
        for (std::size_t x = 0; x < count; ++x) {
            if (row[x] == frame.transparentIndex)
                alpha[x] = 0;
        }
    }
}

// Without any palette, index 0 is black and 1 white.
ColourTable defaultTable() {
    ColourTable table;
    table.count = 2;
    table.entries[1] = kWhite;
    return table;
}

// Decodes the first image into a new picture of the given size.
DecodeResult decodeFrame(ByteCursor& cursor, const GifScreen& screen, const GifFrame& frame,
                         const DecodedInfo& size, Picture& picture) {
    const ColourTable table = frame.hasLocalTable     ? frame.localTable
                              : screen.hasGlobalTable ? screen.globalTable
                                                      : defaultTable();
    Picture result = makePicture(size.width, size.height, table.pixelFormat());
    paintOutsideFrame(result, frame, screen);

    const int minimumCodeSize = cursor.u8();
    DecodeResult status = decodeComplete();
    const std::size_t pixelCount = static_cast<std::size_t>(frame.width) * frame.height;
    if (cursor.overrun()) {
        status = decodeIncomplete("GIF: image data cut");
    } else if (!GifLzwDecoder::validMinimumCodeSize(minimumCodeSize)) {
        status = decodeIncomplete("GIF: code size out of range");
    } else if (pixelCount > 0) {
        bool cut = false;
        const std::vector<std::uint8_t> codes = gatherImageData(cursor, cut);
        std::vector<std::uint8_t> indices(pixelCount, 0);
        std::size_t decoded = 0;
        GifLzwDecoder decoder(minimumCodeSize);
        const auto stop = decoder.decode(codes, indices, decoded);
        placeFrame(result, frame, table, indices, decoded);
        // A frame with every pixel is whole, with or without its end code.
        if (stop == GifLzwDecoder::Stop::BadCode)
            status = decodeIncomplete("GIF: image data damaged");
        else if (decoded < pixelCount)
            status = decodeIncomplete(cut ? "GIF: image data cut" : "GIF image data ends early");
    }
    picture = std::move(result);
    return status;
}

} // namespace

DecodeResult decodeGif(std::span<const std::uint8_t> data, Picture& picture, DecodedInfo& info,
                       bool headerOnly) {
    ByteCursor cursor(data);
    GifScreen screen;
    if (!readScreen(cursor, screen))
        return decodeFailed("not a GIF file");

    GifFrame frame;
    const Search search = findFirstFrame(cursor, frame);
    if (search == Search::NoImage)
        return decodeFailed("GIF: file without an image");
    const bool found = search == Search::Found;
    const std::int64_t width =
        std::max<std::int64_t>(screen.width, found ? frame.left + frame.width : 0);
    const std::int64_t height =
        std::max<std::int64_t>(screen.height, found ? frame.top + frame.height : 0);
    if (!sizeAllowed(width, height))
        return decodeFailed("GIF: picture size out of range");

    info = DecodedInfo{};
    info.width = static_cast<std::int32_t>(width);
    info.height = static_cast<std::int32_t>(height);
    const DecodeResult damaged = decodeIncomplete("GIF: file damaged before the image");
    if (headerOnly)
        return found ? decodeComplete() : damaged;
    if (!pictureFitsData(width, height, data.size(), expansion::kGif))
        return decodeFailed("GIF: picture larger than its data");

    if (!found) {
        picture = makePicture(info.width, info.height, PixelFormat::Rgb24);
        return damaged;
    }
    return decodeFrame(cursor, screen, frame, info, picture);
}

} // namespace fotoplex
