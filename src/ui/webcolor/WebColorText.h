#pragma once

#include "ui/webcolor/WebPalette.h"

#include <string>

namespace fotoplex {

// How the colour dialog writes a colour as text.
enum class ColorScheme { scHex, scRGB };

// "#RRGGBB" with upper-case digits for scHex, "RGB(r,g,b)" in decimal for scRGB.
std::string formatWebColor(WebRgb color, ColorScheme scheme);

} // namespace fotoplex
