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

// True when a colour profile describes the colours of a JPEG written in `space`: its header's
// colour space is "GRAY" for greyscale, "RGB " for RGB and YCbCr (which decodes to RGB),
// "CMYK" for CMYK and YCCK. A profile too short to say is no match.
bool profileFits(std::span<const std::uint8_t> profile, JpegColorSpace space);

// The markers without the colour profile's "ICC_PROFILE" markers when that profile (its
// first piece holds the header) does not fit `space`; every other marker as it was.
std::vector<JpegMarker> withoutMismatchedProfile(const std::vector<JpegMarker>& markers,
                                                 JpegColorSpace space);

// The TIFF structure of an EXIF block given with or without its "Exif\0\0" prefix; empty
// when the bytes do not start like one.
std::vector<std::uint8_t> exifTiffStructure(std::span<const std::uint8_t> block);

} // namespace fotoplex
