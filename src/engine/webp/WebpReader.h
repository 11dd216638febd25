#pragma once

#include "engine/Picture.h"
#include "engine/readers/Decode.h"

#include <cstdint>
#include <span>

namespace fotoplex {

// Reads a WebP held in memory, lossy or lossless, still or the first frame of an animation
// (composed on its canvas). Alpha is kept as a channel. The colour profile (ICCP) and the
// EXIF block are given in `info`. Cut data gives the rows decoded so far.
DecodeResult decodeWebp(std::span<const std::uint8_t> data, Picture& picture, DecodedInfo& info,
                        bool headerOnly);

} // namespace fotoplex
