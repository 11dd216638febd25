#pragma once

#include <string>
#include <string_view>

namespace fotoplex {

// Texts are UTF-8 in memory; a stored text that is not valid UTF-8 comes from a project saved
// on Windows and holds Windows-1252 bytes.

// Appends one character below U+10000 as UTF-8.
void appendUtf8(std::string& out, char32_t c);

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates, at most U+10FFFF).
bool isValidUtf8(std::string_view text);

// Windows-1252 bytes as UTF-8. The five bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) become the control characters of the same number, as Windows itself maps them.
std::string utf8FromWindows1252(std::string_view text);

// The text as UTF-8: unchanged when it is valid UTF-8, otherwise read as Windows-1252.
std::string textAsUtf8(std::string_view text);

} // namespace fotoplex
