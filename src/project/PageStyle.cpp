#include "project/PageStyle.h"

#include "project/TProject.h"

#include <algorithm>
#include <cctype>

namespace fotoplex {

namespace {

bool isAsciiAlpha(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isAsciiAlnum(char c) {
    return isAsciiAlpha(c) || (c >= '0' && c <= '9');
}

bool isSubtag(std::string_view part, bool first) {
    if (part.empty() || part.size() > 8) {
        return false;
    }
    return std::all_of(part.begin(), part.end(), first ? isAsciiAlpha : isAsciiAlnum);
}

} // namespace

std::optional<PageStyleKind> parsePageStyle(std::string_view word) {
    if (word == kClassicStyleName) {
        return PageStyleKind::Classic;
    }
    if (word == kModernStyleName) {
        return PageStyleKind::Modern;
    }
    return std::nullopt;
}

PageStyleKind PageStyleOf(const TProject& project) {
    return parsePageStyle(project.PageStyle.str()).value_or(PageStyleKind::Classic);
}

bool IsLanguageTag(std::string_view tag) {
    bool first = true;
    while (true) {
        const std::size_t dash = tag.find('-');
        if (!isSubtag(tag.substr(0, dash), first)) {
            return false;
        }
        if (dash == std::string_view::npos) {
            return true;
        }
        tag.remove_prefix(dash + 1);
        first = false;
    }
}

bool IsSiteAddress(std::string_view address) {
    std::string_view rest;
    if (address.substr(0, 7) == "http://") {
        rest = address.substr(7);
    } else if (address.substr(0, 8) == "https://") {
        rest = address.substr(8);
    } else {
        return false;
    }
    if (rest.empty() || rest[0] == '/') {
        return false;
    }
    return std::none_of(address.begin(), address.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte <= 0x20 || byte == 0x7F || c == '"' || c == '\'' || c == '<' || c == '>' ||
               c == '\\' || c == '`';
    });
}

} // namespace fotoplex
