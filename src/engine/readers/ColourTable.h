#pragma once

#include "engine/Picture.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace fotoplex {

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Colour&) const = default;
};

inline constexpr Colour kBlack{0, 0, 0};
inline constexpr Colour kWhite{255, 255, 255};

// A palette of up to 256 colours. Entries the file did not give are black, so any
// index byte can be looked up without a check.
struct ColourTable {
    std::array<Colour, 256> entries{};
    std::size_t count = 0;

    // Exactly two entries, one black and one white, in either order: such pictures are
    // delivered one bit a pixel.
    bool isBlackAndWhite() const {
        return count == 2 && ((entries[0] == kBlack && entries[1] == kWhite) ||
                              (entries[0] == kWhite && entries[1] == kBlack));
    }

    PixelFormat pixelFormat() const {
        return isBlackAndWhite() ? PixelFormat::Bilevel : PixelFormat::Rgb24;
    }
};

// Writes palette indices (one byte each) into row y of the picture from column x0 on, in the
// picture's format; the caller keeps x0 + indices.size() within the width. A Bilevel picture
// gets a set bit where the index's colour is white.
inline void writeIndexedRow(Picture& picture, std::int32_t y, std::span<const std::uint8_t> indices,
                            const ColourTable& table, std::size_t x0 = 0) {
    std::uint8_t* out = picture.row(y);
    if (picture.format == PixelFormat::Rgb24) {
        out += 3 * x0;
        for (const std::uint8_t index : indices) {
            const Colour& c = table.entries[index];
            *out++ = c.red;
            *out++ = c.green;
            *out++ = c.blue;
        }
        return;
    }
    std::size_t x = x0;
    for (const std::uint8_t index : indices) {
        const auto mask = static_cast<std::uint8_t>(0x80u >> (x & 7));
        if (table.entries[index] == kWhite)
            out[x >> 3] = static_cast<std::uint8_t>(out[x >> 3] | mask);
        else
            out[x >> 3] = static_cast<std::uint8_t>(out[x >> 3] & ~mask);
        ++x;
    }
}

} // namespace fotoplex
