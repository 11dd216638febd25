#pragma once

// Texts that come from outside the project's own settings (file names, captions read from
// photos) must never become markup: a name like x" onmouseover="... would otherwise end its
// attribute. The user's own words and titles keep whatever markup the user typed.

#include <string>

namespace fotoplex {

// "&", "<", ">" and the double quote as references; control characters become blanks, since
// no page may hold them and a name may. Every other byte stays, so the charset conversion
// that follows still sees the name's UTF-8.
std::string HtmlEscaped(const std::string& text);

// "<" and ">" as references, "&" left alone: a title element holds no markup, so a typed tag
// could only end it early, while a typed reference ("&#8211;") still shows its character.
std::string AnglesEscaped(const std::string& text);

} // namespace fotoplex
