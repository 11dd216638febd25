#pragma once

#include "engine/Picture.h"

#include <cstdint>

namespace fotoplex::resample {

// Whether pixel x of a bilevel row is set (white).
inline bool bitAt(const std::uint8_t* row, std::int32_t x) {
    return (row[x >> 3] & (0x80u >> (x & 7))) != 0;
}

inline void setBit(std::uint8_t* row, std::int32_t x) {
    row[x >> 3] = static_cast<std::uint8_t>(row[x >> 3] | (0x80u >> (x & 7)));
}

// Row y of a bilevel picture as one grey byte a pixel: 255 for a set bit, 0 for a clear one.
inline void unpackBilevelRow(const Picture& picture, std::int32_t y, std::uint8_t* out) {
    const std::uint8_t* row = picture.row(y);
    for (std::int32_t x = 0; x < picture.width; ++x) {
        out[x] = bitAt(row, x) ? 255 : 0;
    }
}

} // namespace fotoplex::resample
