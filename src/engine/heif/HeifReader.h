#pragma once

#include "engine/Picture.h"
#include "engine/readers/Decode.h"

#include <cstdint>
#include <span>

namespace fotoplex {

// Reads the primary image of a HEIF (HEIC) or AVIF file held in memory, with the file's own
// rotation, mirroring and cropping applied. Alpha is kept as a channel; samples deeper than
// 8 bits are rounded to 8. The colour profile and the EXIF block are given in `info`.
DecodeResult decodeHeif(std::span<const std::uint8_t> data, Picture& picture, DecodedInfo& info,
                        bool headerOnly);

} // namespace fotoplex
