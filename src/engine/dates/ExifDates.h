#pragma once

#include "engine/dates/ExifBlockPlace.h"

#include <optional>
#include <string>

namespace fotoplex {

// The date texts an EXIF block states, as written ("2024:05:01 12:30:00", "+02:00"); empty
// when absent. IFD0 holds DateTime, the EXIF IFD the others.
struct ExifDates {
    std::string original;        // DateTimeOriginal
    std::string originalOffset;  // OffsetTimeOriginal
    std::string digitized;       // DateTimeDigitized (also called CreateDate)
    std::string digitizedOffset; // OffsetTimeDigitized
    std::string modified;        // DateTime
    std::string modifiedOffset;  // OffsetTime
};

// Reads the date entries of an EXIF block; nothing when the block has no TIFF structure.
std::optional<ExifDates> readExifDates(const ExifBlock& block);

// The same for a picture file, found by its header (JPEG, TIFF, PNG, WebP, HEIF, AVIF).
std::optional<ExifDates> readExifDatesOfFile(const std::string& path);

} // namespace fotoplex
