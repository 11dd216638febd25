#include "engine/XmpLocation.h"

#include <algorithm>
#include <cctype>

namespace fotoplex {

namespace {

bool containsFolded(std::string_view text, std::string_view lowerWord) {
    const auto found = std::search(
        text.begin(), text.end(), lowerWord.begin(), lowerWord.end(),
        [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
    return found != text.end();
}

} // namespace

bool xmpNamesLocation(std::string_view xmp) {
    return containsFolded(xmp, "latitude") || containsFolded(xmp, "longitude");
}

} // namespace fotoplex
