#include "gallery/HtmlEscaping.h"

#include <string_view>

namespace fotoplex {

namespace {

// Appends c, or its reference when it is one of the characters listed in `escaped`.
void appendEscaped(char c, const char* escaped, std::string& out) {
    const bool listed = std::string_view(escaped).find(c) != std::string_view::npos;
    if (!listed) {
        out += c;
        return;
    }
    switch (c) {
    case '&':
        out += "&amp;";
        break;
    case '<':
        out += "&lt;";
        break;
    case '>':
        out += "&gt;";
        break;
    default:
        out += "&quot;";
        break;
    }
}

bool isControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

} // namespace

std::string HtmlEscaped(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (isControl(c)) {
            out += ' ';
        } else {
            appendEscaped(c, "&<>\"", out);
        }
    }
    return out;
}

std::string AnglesEscaped(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        appendEscaped(c, "<>", out);
    }
    return out;
}

} // namespace fotoplex
