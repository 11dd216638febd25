#include "base/Text.h"

namespace fotoplex {

namespace {
bool isContinuationByte(unsigned char c) { return (c & 0xC0) == 0x80; }
} // namespace

std::string limitText(const std::string& text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) {
        return text;
    }
    std::size_t cut = maxBytes;
    // Step back over the continuation bytes of a sequence that would be split.
    while (cut > 0 && isContinuationByte(static_cast<unsigned char>(text[cut]))) {
        --cut;
    }
    return text.substr(0, cut);
}

std::string toLowerAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

} // namespace fotoplex
