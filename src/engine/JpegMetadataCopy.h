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
// Nothing when the bytes are not a JPEG whose markers before the first scan can be walked.
std::optional<std::vector<std::uint8_t>> jpegWithMetadata(std::span<const std::uint8_t> file,
                                                          MetadataChoice choice);

} // namespace fotoplex
