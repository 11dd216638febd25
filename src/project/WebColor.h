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

// "#RRGGBB" to a display colour. Characters 2-3, 4-5 and 6-7 are read as hexadecimal (either
// case); the first character is not examined; an empty text is black. A pair that is not
// hexadecimal raises "'$<pair>' is not a valid integer value".
RgbColor webColorToRgb(const std::string& webColor);

// A display colour as "#RRGGBB" with upper-case digits.
std::string rgbToWebColor(RgbColor color);

} // namespace fotoplex
