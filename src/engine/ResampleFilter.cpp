#include "engine/ResampleFilter.h"

#include <string>

namespace fotoplex {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Lower case, blanks removed.
std::string folded(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (!isBlank(c)) {
            out.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
        }
    }
    return out;
}

std::optional<TResampleFilter> parseNumber(const std::string& text) {
    if (text.empty() || text.size() > 3) {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    if (value >= kResampleFilterCount) {
        return std::nullopt;
    }
    return static_cast<TResampleFilter>(value);
}

} // namespace

std::optional<TResampleFilter> parseResampleFilter(std::string_view text) {
    const std::string wanted = folded(text);
    if (const auto number = parseNumber(wanted)) {
        return number;
    }
    for (int value = 0; value < kResampleFilterCount; ++value) {
        if (wanted == folded(kResampleFilterNames[value])) {
            return static_cast<TResampleFilter>(value);
        }
    }
    return std::nullopt;
}

} // namespace fotoplex
