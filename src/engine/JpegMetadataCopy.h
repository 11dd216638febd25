#pragma once

#include "base/MetadataChoice.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace fotoplex {

// A JPEG file's bytes with its comment and application markers kept, changed or left out as
// `choice` says (see markersFor); the JFIF and Adobe markers, which tell how the pixels are
// coded, always stay. Everything else, the compressed picture included, is copied unchanged.
//
// Under Profile an EXIF Orientation other than 1 stays, in a block of its own: the stored
// pixels are not turned, so without it the copy would show sideways.
//
// The further pictures of a multi-picture file (its MPF index names them) are filtered the
// same way and their sizes and offsets in the index mended; under Profile the index goes
// and so do they.
//
// Nothing when the bytes are not a JPEG whose markers before the first scan can be walked,
// or when its multi-picture index names pictures that are not there.
std::optional<std::vector<std::uint8_t>> jpegWithMetadata(std::span<const std::uint8_t> file,
                                                          MetadataChoice choice);

} // namespace fotoplex
