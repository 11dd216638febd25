#pragma once

#include "base/MetadataChoice.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace fotoplex {

// A PNG file's bytes with its metadata chunks kept, changed or left out as `choice` says;
// the picture's chunks are copied unchanged.
//  NoLocation: an eXIf chunk loses its GPS part (in place, its CRC made again) or goes when
//              it cannot be read; a text chunk (tEXt, zTXt, iTXt, XMP among them) whose text
//              names a position goes, and so do the raw EXIF profiles some tools keep as hex
//              text; another ancillary chunk goes when mayStateLocation finds a position in
//              it. Other chunks stay.
//  Profile:    the critical chunks and those that say how the pixels look (transparency,
//              colour profile, gamma, chromaticities, sRGB, significant bits, coding-independent
//              code points, physical size, animation); an eXIf Orientation other than 1
//              stays in a chunk of its own.
// Bytes after IEND are left out. Nothing when the bytes are not a PNG whose chunks can be
// walked to IEND.
std::optional<std::vector<std::uint8_t>> pngWithMetadata(std::span<const std::uint8_t> file,
                                                         MetadataChoice choice);

} // namespace fotoplex
