#pragma once

#include "engine/Picture.h"

#include <cstdint>

namespace fotoplex {

// A 24-bit copy of a picture: 1-bit pixels become black (0, 0, 0) or white (255, 255, 255).
// The alpha channel is carried over.
Picture widenToRgb(const Picture& picture);

// A sample of 0 to `maximum` (a 16-bit one, or any other depth) scaled to 0 to 255, to the
// nearest level; a value above the maximum gives 255.
inline std::uint8_t scaleToByte(std::uint32_t value, std::uint32_t maximum) {
    if (value >= maximum) {
        return 255;
    }
    return static_cast<std::uint8_t>((value * 255 + maximum / 2) / maximum);
}

// Ink to RGB for `width` pixels: each colour is (255 - ink) * (255 - black) / 255. Adobe
// JPEG files store the inks inverted, 255 meaning no ink.
void cmykToRgb(const std::uint8_t* cmyk, std::uint8_t* rgb, std::size_t width, bool inverted);

// An RGB picture whose pixel buffer has room for four bytes a pixel, so that a codec can write
// RGBA straight into it before splitAlpha takes the alpha out.
Picture makeRgbaPicture(std::int32_t width, std::int32_t height);

// Takes width x height RGBA samples into the picture's RGB pixels and, when keepAlpha, its
// alpha channel. The samples may lie in the picture's own pixel buffer (as makeRgbaPicture
// leaves room for): each pixel only moves towards the front.
void splitAlpha(const std::uint8_t* rgba, Picture& picture, bool keepAlpha);

} // namespace fotoplex
