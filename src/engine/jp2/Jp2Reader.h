#pragma once

#include "engine/Picture.h"
#include "engine/readers/Decode.h"

#include <cstdint>
#include <span>

namespace fotoplex {

// Reads a JPEG 2000 file (JP2) or bare code stream (J2K) held in memory: grey, RGB and sYCC,
// with or without alpha, any precision rounded to 8 bits, subsampled components stretched.
// The colour profile of the colour box is given in `info`. Cut or damaged code streams give
// what the codec could decode, marked Incomplete.
DecodeResult decodeJp2(std::span<const std::uint8_t> data, Picture& picture, DecodedInfo& info,
                       bool headerOnly);

// True when the bytes start a JP2 file or a J2K code stream.
bool isJp2File(std::span<const std::uint8_t> data);
bool isJ2kCodeStream(std::span<const std::uint8_t> data);

} // namespace fotoplex
