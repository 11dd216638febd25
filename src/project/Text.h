#pragma once

#include <cstddef>
#include <string>

#include "base/Text.h"

namespace fotoplex {

inline constexpr std::size_t kMaxTextLength = 255;

// A project text: at most 255 bytes; storing a longer value keeps its first 255
// (never splitting a UTF-8 sequence).
class Text {
public:
    Text() = default;
    Text(std::string value) : value_(limitText(std::move(value), kMaxTextLength)) {}
    Text(const char* value) : Text(std::string(value)) {}

    const std::string& str() const { return value_; }
    operator const std::string&() const { return value_; }
    const char* c_str() const { return value_.c_str(); }
    bool empty() const { return value_.empty(); }
    std::size_t size() const { return value_.size(); }

    friend bool operator==(const Text& a, const Text& b) = default;
    friend bool operator==(const Text& a, const std::string& b) { return a.value_ == b; }
    friend bool operator==(const Text& a, const char* b) { return a.value_ == b; }

private:
    std::string value_;
};

} // namespace fotoplex
