#pragma once

#include "engine/dates/ExifDates.h"

#include <compare>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace fotoplex {

// A moment as seconds (and nanoseconds) since 1970-01-01 00:00 UTC, for ordering photos.
struct Moment {
    std::int64_t seconds = 0;
    std::int32_t nanoseconds = 0;
    friend auto operator<=>(const Moment&, const Moment&) = default;
};

// The local time zone's offset from UTC in seconds at a local wall-clock time (given as the
// seconds it would be in UTC); a date without an offset is taken as local time.
using LocalOffset = std::function<std::int64_t(std::int64_t wallClockSeconds)>;

// The offset of the process's time zone (TZ) at that wall-clock time.
std::int64_t systemLocalOffset(std::int64_t wallClockSeconds);

// "YYYY:MM:DD HH:MM:SS" (the EXIF date form) with an optional "+HH:MM" / "-HH:MM" offset.
// A blank, zeroed ("0000:00:00 00:00:00") or malformed date gives nothing; a malformed
// offset is ignored and the date taken as local time.
std::optional<Moment> exifMoment(std::string_view date, std::string_view offset,
                                 const LocalOffset& local = systemLocalOffset);

// When the photo was taken: DateTimeOriginal with its offset, else DateTimeDigitized, else
// DateTime (each with its own offset where the block has one).
std::optional<Moment> dateTaken(const ExifDates& dates,
                                const LocalOffset& local = systemLocalOffset);

// The same from a picture file's header; nothing when it states no usable date.
std::optional<Moment> readDateTaken(const std::string& path,
                                    const LocalOffset& local = systemLocalOffset);

} // namespace fotoplex
