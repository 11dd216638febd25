#pragma once

#include "engine/Picture.h"
#include "engine/readers/Decode.h"

#include <cstdint>
#include <span>

namespace fotoplex {

// Reads the first directory of a TIFF held in memory through libtiff: strips and tiles,
// every compression the library decodes, palette, grey, RGB, CMYK (8 or 16-bit inks), 16-bit
// samples and separate planes. Black-and-white strip images come out 1 bit a pixel, everything
// else as 24-bit RGB with an alpha channel when the file has one. Resolution comes from the
// resolution tags.
DecodeResult decodeTiff(std::span<const std::uint8_t> data, Picture& picture, DecodedInfo& info,
                        bool headerOnly);

} // namespace fotoplex
