#pragma once

// A picture with transparency written as JPEG (which has none) shows whatever colour lies
// under its transparent areas, often black. Flattening lays it onto a background colour first.

#include "engine/Picture.h"

#include <cstdint>

namespace fotoplex {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const Rgb&) const = default;
};

// Lays an Rgb24 picture with alpha onto `background` (each pixel mixed by its alpha, rounded)
// and drops the alpha. A picture without alpha, or a bilevel one, is left as it is.
void FlattenOnto(Picture& picture, Rgb background);

} // namespace fotoplex
