#pragma once

#include "engine/FileFormat.h"
#include "engine/Picture.h"
#include "engine/jpeg/JpegTypes.h"
#include "engine/readers/Decode.h"

#include <cstdint>
#include <span>

namespace fotoplex {

// Runs the reader of a format over bytes in memory. The JPEG reader also fills `jpeg`.
// Unknown (or any format without a reader) fails.
DecodeResult decodeAs(FileFormat format, std::span<const std::uint8_t> data, Picture& picture,
                      DecodedInfo& info, JpegDetails& jpeg, bool headerOnly);

// decodeAs, then the picture turned into its upright form by the orientation the file states;
// `info` then gives the upright size (also in header mode) and still the stated orientation.
DecodeResult decodeUpright(FileFormat format, std::span<const std::uint8_t> data, Picture& picture,
                           DecodedInfo& info, JpegDetails& jpeg, bool headerOnly);

} // namespace fotoplex
