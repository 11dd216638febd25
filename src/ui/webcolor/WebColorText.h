#pragma once

#include "ui/webcolor/WebPalette.h"

#include <string>

namespace fotoplex {

// How the colour dialog writes a colour as text.
enum class ColorScheme { scHex, scRGB };

// "#RRGGBB" with upper-case digits for scHex, "RGB(r,g,b)" in decimal for scRGB.
std::string formatWebColor(WebRgb color, ColorScheme scheme);

// A stored web colour as a display colour: characters 2-3, 4-5 and 6-7 are the red, green and
// blue pairs in hexadecimal (either case); the first character is not examined; an empty text
// is black. A pair that is not hexadecimal, or missing, raises "'$<pair>' is not a valid
// integer value".
WebRgb webColorToRgb(const std::string& text);

} // namespace fotoplex
