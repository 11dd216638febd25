#pragma once

#include "engine/Picture.h"

#include <cstdint>

namespace fotoplex {

// How a file says its stored pixels lie, numbered as EXIF and TIFF number it:
// 1 upright, 2 mirrored left-right, 3 turned half round, 4 mirrored top-bottom,
// 5 mirrored along the main diagonal, 6 turned a quarter anticlockwise (shown turned a quarter
// clockwise), 7 mirrored along the other diagonal, 8 turned a quarter clockwise.
// Anything outside 1 to 8 is treated as 1.

// True for 5 to 8: the upright picture's width is the stored height.
inline bool orientationSwapsSides(std::uint16_t orientation) {
    return orientation >= 5 && orientation <= 8;
}

// Turns or mirrors a picture stored with `orientation` into its upright form, alpha included.
// 2 to 4 work in place; 5 to 8 fill one new buffer of the same size in one pass.
void turnUpright(Picture& picture, std::uint16_t orientation);

} // namespace fotoplex
