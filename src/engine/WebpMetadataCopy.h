#pragma once

#include "base/MetadataChoice.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace fotoplex {

// A WebP file's bytes with its EXIF and XMP chunks kept, changed or left out as `choice`
// says; the picture's chunks are copied unchanged and the extended header's flags and the
// RIFF size follow what is left.
//  NoLocation: the EXIF chunk loses its GPS part in place (its size stays) or goes when it
//              cannot be read; an XMP chunk that names a position goes, and so does any
//              other chunk that mayStateLocation finds a position in.
//  Profile:    the picture's chunks and the colour profile; an EXIF Orientation other than 1
//              stays in an EXIF chunk of its own.
// Bytes after the RIFF chunk are left out. Nothing when the bytes are not a WebP whose chunks
// can be walked.
std::optional<std::vector<std::uint8_t>> webpWithMetadata(std::span<const std::uint8_t> file,
                                                          MetadataChoice choice);

} // namespace fotoplex
