#pragma once

#include "engine/Picture.h"

#include <cstdint>

namespace fotoplex {

// A 24-bit copy of a picture: 1-bit pixels become black (0, 0, 0) or white (255, 255, 255).
// The alpha channel is carried over.
Picture widenToRgb(const Picture& picture);

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
