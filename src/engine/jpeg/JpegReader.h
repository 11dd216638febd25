#pragma once

#include "engine/Picture.h"
#include "engine/jpeg/JpegTypes.h"
#include "engine/readers/Decode.h"

#include <cstdint>
#include <span>

namespace fotoplex {

// Reads a JPEG held in memory into 24-bit RGB, whatever its colour space (greyscale, RGB,
// YCbCr, CMYK and YCCK, Adobe-inverted CMYK included). Damaged or cut data gives Incomplete
// with the rows read before the damage (the rest black). With headerOnly set, only `info`
// and `details` are filled.
DecodeResult decodeJpeg(std::span<const std::uint8_t> data, Picture& picture, DecodedInfo& info,
                        JpegDetails& details, bool headerOnly);

} // namespace fotoplex
