#pragma once

#include "engine/jpeg/JpegTypes.h"
#include "engine/readers/Decode.h"

#include <cstdint>
#include <span>
#include <vector>

namespace fotoplex {

// The largest piece of a colour profile one APP2 marker holds: a marker's 65533 payload bytes
// less the "ICC_PROFILE\0" name and the two sequence bytes.
inline constexpr std::size_t kIccChunkBytes = 65519;

// The markers a JPEG written from a non-JPEG source carries: its EXIF block as APP1, then its
// colour profile as APP2 "ICC_PROFILE" markers with sequence numbers. Empty when the source
// had neither, so such pictures are written exactly as before.
std::vector<JpegMarker> carriedMarkers(const DecodedInfo& info);

// The TIFF structure of an EXIF block given with or without its "Exif\0\0" prefix; empty
// when the bytes do not start like one.
std::vector<std::uint8_t> exifTiffStructure(std::span<const std::uint8_t> block);

} // namespace fotoplex
