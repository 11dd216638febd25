#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace fotoplex {

// The resolution an EXIF block states for the main image (IFD0).
struct ExifResolution {
    double x = 0;
    double y = 0;
    std::uint16_t unit = 2; // 1 none, 2 inch, 3 centimetre (the EXIF default is inch)
};

// True when an APP1 payload begins with "Exif\0\0" (rather than, say, XMP).
bool isExifBlock(std::span<const std::uint8_t> app1);

// Reads XResolution, YResolution and ResolutionUnit from the payload of an APP1 marker
// ("Exif\0\0" followed by a TIFF structure). Every offset and count is checked against the
// payload's length; anything that does not fit gives no result.
std::optional<ExifResolution> readExifResolution(std::span<const std::uint8_t> app1);

// The resolution in dots per inch, to the nearest whole number (centimetres are converted).
std::int32_t exifDotsPerInch(double value, std::uint16_t unit);

// The Orientation (1 to 8) that IFD0 of an EXIF block states. The block is either the payload
// of an APP1 marker ("Exif\0\0" and a TIFF structure) or a bare TIFF structure (a PNG eXIf
// chunk). No result when there is no Orientation entry or the block is damaged: a header or IFD0
// table that does not fit, or an Orientation entry that is not one SHORT from 1 to 8.
std::optional<std::uint16_t> readExifOrientation(std::span<const std::uint8_t> block);

// Sets every Orientation entry of IFD0 to 1 in place; no other byte changes and the length stays.
// Returns false, with the block untouched, when readExifOrientation gives no result for it.
bool setExifOrientationUpright(std::span<std::uint8_t> block);

} // namespace fotoplex
