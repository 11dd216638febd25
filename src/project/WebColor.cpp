#include "project/WebColor.h"

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

// Characters `start` and `start + 1` (counted from 0) as one byte; a pair cut short by the
// end of the text is read as far as it goes.
std::uint8_t hexPair(const std::string& text, std::size_t start) {
    const std::string pair = start < text.size() ? text.substr(start, 2) : std::string();
    int value = 0;
    bool valid = !pair.empty();
    for (char c : pair) {
        const int digit = hexDigit(c);
        valid = valid && digit >= 0;
        value = value * 16 + (digit >= 0 ? digit : 0);
    }
    if (!valid) {
        throw Error("'$" + pair + "' is not a valid integer value");
    }
    return static_cast<std::uint8_t>(value);
}

} // namespace

RgbColor webColorToRgb(const std::string& webColor) {
    if (webColor.empty()) {
        return {};
    }
    return {hexPair(webColor, 1), hexPair(webColor, 3), hexPair(webColor, 5)};
}

} // namespace fotoplex
