#pragma once

#include "engine/Picture.h"
#include "engine/readers/Decode.h"

#include <cstdint>
#include <span>

namespace fotoplex {

// Reads a PNG held in memory: palette, grey, grey with alpha, RGB and RGBA at every bit
// depth, tRNS and Adam7 interlacing. Transparency is kept as an alpha channel and the colour
// under transparent pixels stays as stored. Black-and-white pictures (1-bit grey, or a 1-bit
// palette of black and white) come out 1 bit a pixel; everything else as 24-bit RGB, 16-bit
// samples scaled to 8 bits.
DecodeResult decodePng(std::span<const std::uint8_t> data, Picture& picture, DecodedInfo& info,
                       bool headerOnly);

} // namespace fotoplex
