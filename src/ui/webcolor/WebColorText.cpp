#include "ui/webcolor/WebColorText.h"

#include <cstdio>

namespace fotoplex {

std::string formatWebColor(WebRgb color, ColorScheme scheme) {
    char buffer[32];
    if (scheme == ColorScheme::scRGB) {
        std::snprintf(buffer, sizeof buffer, "RGB(%d,%d,%d)", redOf(color), greenOf(color),
                      blueOf(color));
    } else {
        const unsigned value =
            static_cast<unsigned>(redOf(color) * 65536 + greenOf(color) * 256 + blueOf(color));
        std::snprintf(buffer, sizeof buffer, "#%.*X", 6, value);
    }
    return buffer;
}

} // namespace fotoplex
