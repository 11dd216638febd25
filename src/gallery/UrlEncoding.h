#pragma once

#include <string>

namespace fotoplex {

// A file reference as an href or src attribute of a page writes it: the bytes that would break
// the URL become %XX (upper-case hexadecimal): "%", "#", "?", the double quote, the blank,
// the backslash (part of a file name here, a folder delimiter to browsers), control bytes and
// every byte above 127 (a name's UTF-8 bytes, which is how browsers and web servers name such
// files). Every other byte stays as it is.
std::string UrlInAttribute(const std::string& reference);

// A file reference as the pages write it: UrlInAttribute, and "&", "<" and ">" encoded too,
// with "./" before a reference whose first segment holds ":", so that no name can make a
// link run a scheme (javascript:x.jpg). A name without these characters stays as it was.
std::string UrlInPage(const std::string& reference);

// The same for a url(...) of the stylesheet, where "(", ")" and "'" are encoded as well, with
// the same "./" before a first segment holding ":".
std::string UrlInStylesheet(const std::string& reference);

} // namespace fotoplex
