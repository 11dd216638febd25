#include "ui/webcolor/WebColorText.h"

#include "base/Error.h"

#include <cstdio>

namespace fotoplex {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// The pair starting at `first`, read as the hexadecimal number "$" + pair; a text that ends
// early gives a shorter pair: one digit still counts, an empty pair does not.
int hexPair(const std::string& text, std::size_t first) {
    const std::string pair = first < text.size() ? text.substr(first, 2) : std::string();
    int value = pair.empty() ? -1 : 0;
    for (const char c : pair) {
        const int digit = hexDigit(c);
        if (digit < 0) {
            value = -1;
            break;
        }
        value = value * 16 + digit;
    }
    if (value < 0) {
        throw Error("'$" + pair + "' is not a valid integer value");
    }
    return value;
}

} // namespace

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

WebRgb webColorToRgb(const std::string& text) {
    if (text.empty()) {
        return 0x000000;
    }
    return makeWebRgb(hexPair(text, 1), hexPair(text, 3), hexPair(text, 5));
}

} // namespace fotoplex
