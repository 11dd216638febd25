#include "engine/Orientation.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace fotoplex {

namespace {

// Tiles keep both the rows read and the rows written in the cache while a side is swapped.
constexpr std::int32_t kTile = 64;

// Where the upright pixel (x, y) comes from: stored column = x0 + dx·x + dy·y, and likewise for
// the stored row. Each step is +1, -1 or 0.
struct SourceMap {
    std::int64_t column0, columnPerX, columnPerY;
    std::int64_t row0, rowPerX, rowPerY;
};

SourceMap sideSwapMap(std::uint16_t orientation, std::int32_t width, std::int32_t height) {
    const std::int64_t lastColumn = width - 1;
    const std::int64_t lastRow = height - 1;
    switch (orientation) {
    case 5: // (x, y) <- (y, x)
        return {0, 0, 1, 0, 1, 0};
    case 6: // (x, y) <- (y, H-1-x)
        return {0, 0, 1, lastRow, -1, 0};
    case 7: // (x, y) <- (W-1-y, H-1-x)
        return {lastColumn, 0, -1, lastRow, -1, 0};
    default: // 8: (x, y) <- (W-1-y, x)
        return {lastColumn, 0, -1, 0, 1, 0};
    }
}

// One plane of `bytes` bytes a pixel, rows packed, into a new buffer with the sides swapped.
template <std::size_t bytes>
std::vector<std::uint8_t> swapSides(const std::vector<std::uint8_t>& stored, std::int32_t width,
                                    std::int32_t height, std::uint16_t orientation) {
    const SourceMap m = sideSwapMap(orientation, width, height);
    const std::int32_t outWidth = height;
    const std::int32_t outHeight = width;
    std::vector<std::uint8_t> out(stored.size());
    // Along an upright row the source moves by a fixed number of bytes.
    const std::ptrdiff_t step =
        static_cast<std::ptrdiff_t>((m.columnPerX + m.rowPerX * width) * std::int64_t{bytes});
    for (std::int32_t ty = 0; ty < outHeight; ty += kTile) {
        const std::int32_t yEnd = std::min(outHeight, ty + kTile);
        for (std::int32_t tx = 0; tx < outWidth; tx += kTile) {
            const std::int32_t xEnd = std::min(outWidth, tx + kTile);
            for (std::int32_t y = ty; y < yEnd; ++y) {
                std::uint8_t* target = out.data() + (std::size_t(y) * outWidth + tx) * bytes;
                const std::int64_t column = m.column0 + m.columnPerX * tx + m.columnPerY * y;
                const std::int64_t row = m.row0 + m.rowPerX * tx + m.rowPerY * y;
                std::ptrdiff_t at = static_cast<std::ptrdiff_t>((row * width + column) * bytes);
                for (std::int32_t x = tx; x < xEnd; ++x, target += bytes, at += step) {
                    std::memcpy(target, stored.data() + at, bytes);
                }
            }
        }
    }
    return out;
}

template <std::size_t bytes> void swapPixels(std::uint8_t* a, std::uint8_t* b) {
    std::uint8_t t[bytes];
    std::memcpy(t, a, bytes);
    std::memcpy(a, b, bytes);
    std::memcpy(b, t, bytes);
}

// Swaps row `a` with row `b` read backwards (a == b reverses one row in place).
template <std::size_t bytes>
void swapReversed(std::uint8_t* a, std::uint8_t* b, std::int32_t width) {
    const std::int32_t count = a == b ? width / 2 : width;
    for (std::int32_t x = 0; x < count; ++x) {
        swapPixels<bytes>(a + std::size_t(x) * bytes, b + std::size_t(width - 1 - x) * bytes);
    }
}

// Mirrors one plane in place, in one pass: left-right, top-bottom, or both (a half turn).
template <std::size_t bytes>
void mirrorInPlace(std::vector<std::uint8_t>& plane, std::int32_t width, std::int32_t height,
                   bool leftRight, bool topBottom) {
    const std::size_t rowBytes = std::size_t(width) * bytes;
    std::uint8_t* base = plane.data();
    const auto row = [&](std::int32_t y) { return base + std::size_t(y) * rowBytes; };
    if (!topBottom) {
        for (std::int32_t y = 0; y < height; ++y) {
            swapReversed<bytes>(row(y), row(y), width);
        }
        return;
    }
    for (std::int32_t top = 0, bottom = height - 1; top <= bottom; ++top, --bottom) {
        if (!leftRight) {
            std::swap_ranges(row(top), row(top) + rowBytes, row(bottom));
        } else {
            swapReversed<bytes>(row(top), row(bottom), width);
        }
    }
}

// Turns one plane of `bytes` bytes a pixel; the caller swaps width and height for 5 to 8.
template <std::size_t bytes>
void turnPlane(std::vector<std::uint8_t>& plane, std::int32_t width, std::int32_t height,
               std::uint16_t orientation) {
    if (orientationSwapsSides(orientation)) {
        plane = swapSides<bytes>(plane, width, height, orientation);
    } else {
        mirrorInPlace<bytes>(plane, width, height, orientation != 4, orientation != 2);
    }
}

// A 1-bit picture is rare here (a two-colour PNG); it is turned bit by bit into a new buffer.
std::vector<std::uint8_t> turnBilevel(const Picture& stored, std::uint16_t orientation) {
    const bool swap = orientationSwapsSides(orientation);
    const std::int32_t outWidth = swap ? stored.height : stored.width;
    const std::int32_t outHeight = swap ? stored.width : stored.height;
    const std::size_t outRowBytes = Picture::rowBytesFor(outWidth, PixelFormat::Bilevel);
    std::vector<std::uint8_t> out(outRowBytes * static_cast<std::size_t>(outHeight), 0);
    const std::int32_t w = stored.width;
    const std::int32_t h = stored.height;
    for (std::int32_t y = 0; y < outHeight; ++y) {
        std::uint8_t* target = out.data() + outRowBytes * static_cast<std::size_t>(y);
        for (std::int32_t x = 0; x < outWidth; ++x) {
            std::int32_t sx = x;
            std::int32_t sy = y;
            switch (orientation) {
            case 2:
                sx = w - 1 - x;
                break;
            case 3:
                sx = w - 1 - x;
                sy = h - 1 - y;
                break;
            case 4:
                sy = h - 1 - y;
                break;
            case 5:
                sx = y;
                sy = x;
                break;
            case 6:
                sx = y;
                sy = h - 1 - x;
                break;
            case 7:
                sx = w - 1 - y;
                sy = h - 1 - x;
                break;
            default: // 8
                sx = w - 1 - y;
                sy = x;
                break;
            }
            if ((stored.row(sy)[sx >> 3] & (0x80 >> (sx & 7))) != 0) {
                target[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
            }
        }
    }
    return out;
}

} // namespace

void turnUpright(Picture& picture, std::uint16_t orientation) {
    if (orientation < 2 || orientation > 8 || picture.empty()) {
        return;
    }
    const std::int32_t width = picture.width;
    const std::int32_t height = picture.height;
    if (picture.alpha.size() ==
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        turnPlane<1>(picture.alpha, width, height, orientation);
    }
    if (picture.format == PixelFormat::Bilevel) {
        picture.pixels = turnBilevel(picture, orientation);
    } else {
        turnPlane<3>(picture.pixels, width, height, orientation);
    }
    if (orientationSwapsSides(orientation)) {
        std::swap(picture.width, picture.height);
    }
}

} // namespace fotoplex
