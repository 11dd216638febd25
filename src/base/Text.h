#pragma once

#include <cstddef>
#include <string>

namespace fotoplex {

// Cuts a text to at most maxBytes bytes without splitting a UTF-8 sequence.
std::string limitText(const std::string& text, std::size_t maxBytes);

// ASCII lower case, byte by byte (bytes above 127 are left alone).
std::string toLowerAscii(std::string text);

} // namespace fotoplex
