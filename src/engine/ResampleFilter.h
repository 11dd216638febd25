#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace fotoplex {

// The filter choice, in the order of the "Resize Method:" lists.
enum TResampleFilter : std::uint8_t {
    rfNone = 0,
    rfTriangle = 1,
    rfHermite = 2,
    rfBell = 3,
    rfBSpline = 4,
    rfLanczos3 = 5,
    rfMitchell = 6,
    rfNearest = 7,
    rfLinear = 8,
    rfFastLinear = 9
};

inline constexpr int kResampleFilterCount = 10;
inline constexpr const char* kResampleFilterNames[kResampleFilterCount] = {
    "None",     "Triangle", "Hermite", "Bell",   "BSpline",
    "Lanczos3", "Mitchell", "Nearest", "Linear", "Fast Linear"};

// The filter a user names: its number 0 ... 9, or its list text without regard to letter case
// or blanks ("lanczos3", "FastLinear", "fast linear"). Nothing for any other text.
std::optional<TResampleFilter> parseResampleFilter(std::string_view text);

} // namespace fotoplex
