#pragma once

#include <cstdint>
#include <string>

namespace fotoplex {

struct RgbColor {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const RgbColor&, const RgbColor&) = default;
};

// A web colour text (#RRGGBB) as a display colour: characters 2-3, 4-5 and 6-7 read as
// hexadecimal numbers in either case; the first character is not examined; an empty text is
// black. A pair that is not hexadecimal raises "'$XY' is not a valid integer value".
RgbColor webColorToRgb(const std::string& webColor);

} // namespace fotoplex
