#pragma once

#include "base/MetadataChoice.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace fotoplex {

// A picture file's bytes as its plain copy carries them under `choice`, the pixels never
// coded again. JPEG, PNG and WebP have their metadata filtered (jpegWithMetadata,
// pngWithMetadata, webpWithMetadata). Any other file, whose metadata we do not rewrite
// (HEIF and AVIF keep theirs in items their boxes point to, TIFF in its own IFDs), is copied
// as it is when nothing in it may state a location (mayStateLocation).
//
// Nothing when the location cannot be taken out: a JPEG, PNG or WebP that cannot be walked,
// or another file that may state one. Such a file must not be published.
std::optional<std::vector<std::uint8_t>> fileWithMetadata(std::span<const std::uint8_t> file,
                                                          MetadataChoice choice);

} // namespace fotoplex
