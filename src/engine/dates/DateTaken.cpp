#include "engine/dates/DateTaken.h"

#include <ctime>

namespace fotoplex {

namespace {

// Days since 1970-01-01 of a date in the proleptic Gregorian calendar.
std::int64_t daysFromCivil(std::int64_t year, unsigned month, unsigned day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

bool digits(std::string_view text, std::size_t at, std::size_t count, int& value) {
    value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (i >= text.size() || text[i] < '0' || text[i] > '9') {
            return false;
        }
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

unsigned daysInMonth(int year, int month) {
    static constexpr unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

// The wall-clock time as if it were UTC.
std::optional<std::int64_t> wallClockSeconds(std::string_view date) {
    int year, month, day, hour, minute, second;
    if (date.size() < 19 || !digits(date, 0, 4, year) || date[4] != ':' ||
        !digits(date, 5, 2, month) || date[7] != ':' || !digits(date, 8, 2, day) ||
        date[10] != ' ' || !digits(date, 11, 2, hour) || date[13] != ':' ||
        !digits(date, 14, 2, minute) || date[16] != ':' || !digits(date, 17, 2, second)) {
        return std::nullopt;
    }
    if (month < 1 || month > 12 || day < 1 ||
        static_cast<unsigned>(day) > daysInMonth(year, month) || hour > 23 || minute > 59 ||
        second > 60) {
        return std::nullopt;
    }
    return daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) * 86400 +
           hour * 3600 + minute * 60 + second;
}

// "+02:00" as 7200 seconds.
std::optional<std::int64_t> offsetSeconds(std::string_view offset) {
    int hours, minutes;
    if (offset.size() < 6 || (offset[0] != '+' && offset[0] != '-') ||
        !digits(offset, 1, 2, hours) || offset[3] != ':' || !digits(offset, 4, 2, minutes) ||
        hours > 14 || minutes > 59) {
        return std::nullopt;
    }
    const std::int64_t seconds = hours * 3600 + minutes * 60;
    return offset[0] == '-' ? -seconds : seconds;
}

} // namespace

std::int64_t systemLocalOffset(std::int64_t wallClockSeconds) {
    // The wall-clock time read back as local time; the difference is the zone's offset then.
    const auto asUtc = static_cast<std::time_t>(wallClockSeconds);
    std::tm fields{};
    if (!gmtime_r(&asUtc, &fields)) {
        return 0;
    }
    fields.tm_isdst = -1;
    const std::time_t local = std::mktime(&fields);
    if (local == static_cast<std::time_t>(-1)) {
        return 0;
    }
    return wallClockSeconds - static_cast<std::int64_t>(local);
}

std::optional<Moment> exifMoment(std::string_view date, std::string_view offset,
                                 const LocalOffset& local) {
    const auto wallClock = wallClockSeconds(date);
    if (!wallClock) {
        return std::nullopt;
    }
    const auto stated = offsetSeconds(offset);
    return Moment{*wallClock - (stated ? *stated : local(*wallClock)), 0};
}

std::optional<Moment> dateTaken(const ExifDates& dates, const LocalOffset& local) {
    if (auto moment = exifMoment(dates.original, dates.originalOffset, local)) {
        return moment;
    }
    if (auto moment = exifMoment(dates.digitized, dates.digitizedOffset, local)) {
        return moment;
    }
    return exifMoment(dates.modified, dates.modifiedOffset, local);
}

std::optional<Moment> readDateTaken(const std::string& path, const LocalOffset& local) {
    const auto dates = readExifDatesOfFile(path);
    return dates ? dateTaken(*dates, local) : std::nullopt;
}

} // namespace fotoplex
