#pragma once

#include <string>

namespace fotoplex {

// A project text as a page writes it, in the charset the page declares (a charset text of
// the project's table, such as "iso-8859-1" or "utf-8"). The text is read as UTF-8, or as
// Windows-1252 when it is not valid UTF-8. A character the charset cannot hold is written as a
// numeric character reference ("&#252;"), which browsers show whatever the charset. ASCII
// stays exactly as it is, and nothing is escaped: markup in a title still works.
std::string InPageCharset(const std::string& text, const std::string& charset);

} // namespace fotoplex
