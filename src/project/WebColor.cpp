#include "project/WebColor.h"

#include <cstdio>

#include "base/Error.h"

namespace fotoplex {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// One channel from the two characters at `start` (fewer when the text is short).
std::uint8_t channel(const std::string& text, std::size_t start) {
    const std::string pair = start < text.size() ? text.substr(start, 2) : std::string();
    int value = 0;
    for (char c : pair) {
        const int digit = hexDigit(c);
        if (digit < 0) {
            value = -1;
            break;
        }
        value = value * 16 + digit;
    }
    if (pair.empty() || value < 0) {
        throw Error("'$" + pair + "' is not a valid integer value");
    }
    return static_cast<std::uint8_t>(value);
}

} // namespace

RgbColor webColorToRgb(const std::string& webColor) {
    if (webColor.empty()) {
        return {};
    }
    return {channel(webColor, 1), channel(webColor, 3), channel(webColor, 5)};
}

std::string rgbToWebColor(RgbColor color) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", color.red, color.green, color.blue);
    return text;
}

} // namespace fotoplex
