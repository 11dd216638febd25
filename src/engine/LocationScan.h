#pragma once

#include <cstdint>
#include <span>

namespace fotoplex {

// True when a file of a format whose metadata we do not rewrite (HEIF, AVIF, TIFF, JPEG 2000,
// GIF, ...) may state where it was taken: somewhere in it lies a TIFF structure (an EXIF
// block, or the file itself) with a GPS IFD in its chain of IFDs, or an XMP text naming a
// position. The search looks at every place in the file, not at the format's boxes, so an
// EXIF item of a HEIF file is found wherever the file puts it; only a block that is stored
// compressed escapes it.
bool mayStateLocation(std::span<const std::uint8_t> file);

// True when block (an EXIF block with or without "Exif\0\0", or a bare TIFF structure)
// points to a GPS IFD from any IFD of its main chain.
bool exifPointsToLocation(std::span<const std::uint8_t> block);

} // namespace fotoplex
