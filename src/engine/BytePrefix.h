#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

namespace fotoplex {

// True when `bytes` holds the `length` bytes of `text` from offset `at` on (the text may
// hold zeros: signatures and marker names often end in one).
inline bool bytesAt(std::span<const std::uint8_t> bytes, std::size_t at, const char* text,
                    std::size_t length) {
    return at <= bytes.size() && bytes.size() - at >= length &&
           std::memcmp(bytes.data() + at, text, length) == 0;
}

// True when `bytes` begins with the `length` bytes of `text`.
inline bool startsWith(std::span<const std::uint8_t> bytes, const char* text, std::size_t length) {
    return bytesAt(bytes, 0, text, length);
}

inline bool startsWith(std::span<const std::uint8_t> bytes, std::string_view prefix) {
    return bytesAt(bytes, 0, prefix.data(), prefix.size());
}

} // namespace fotoplex
