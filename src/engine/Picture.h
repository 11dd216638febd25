#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace fotoplex {

// How the pixels of a picture are laid out.
//  Rgb24:   three bytes a pixel, red, green, blue.
//  Bilevel: one bit a pixel, eight pixels a byte, most significant bit first
//           (masks 0x80 ... 0x01 for pixels 0 ... 7), a set bit white, a clear bit black.
enum class PixelFormat : std::uint8_t { Rgb24, Bilevel };

// No header may make a reader allocate more than this many pixels.
inline constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 28;

// The pixels of one picture: rows top to bottom, each row packed with no padding.
// `alpha` is empty or holds one byte a pixel (255 opaque), for formats with transparency.
struct Picture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    PixelFormat format = PixelFormat::Rgb24;
    std::vector<std::uint8_t> pixels;
    std::vector<std::uint8_t> alpha;

    bool empty() const { return width <= 0 || height <= 0; }

    static std::size_t rowBytesFor(std::int32_t width, PixelFormat format) {
        const auto w = static_cast<std::size_t>(width < 0 ? 0 : width);
        return format == PixelFormat::Rgb24 ? w * 3 : (w + 7) / 8;
    }
    std::size_t rowBytes() const { return rowBytesFor(width, format); }

    std::uint8_t* row(std::int32_t y) { return pixels.data() + rowBytes() * static_cast<std::size_t>(y); }
    const std::uint8_t* row(std::int32_t y) const {
        return pixels.data() + rowBytes() * static_cast<std::size_t>(y);
    }
};

// True when a picture of this size may be allocated (both sides positive, pixel count
// within kMaxPixels).
inline bool sizeAllowed(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && static_cast<std::uint64_t>(width) <= kMaxPixels &&
           static_cast<std::uint64_t>(height) <= kMaxPixels &&
           static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) <= kMaxPixels;
}

// A picture of the given size and format with every pixel zero (black), no alpha.
// The caller has checked sizeAllowed (or uses sizes it made itself).
inline Picture makePicture(std::int32_t width, std::int32_t height, PixelFormat format) {
    Picture p;
    p.width = width;
    p.height = height;
    p.format = format;
    p.pixels.assign(p.rowBytes() * static_cast<std::size_t>(height < 0 ? 0 : height), 0);
    return p;
}

} // namespace fotoplex
