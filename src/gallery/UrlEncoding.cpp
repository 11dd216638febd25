#include "gallery/UrlEncoding.h"

#include <string_view>

namespace fotoplex {

namespace {

// A backslash can only come from a file name here (folders are joined with '/'), and
// browsers would read it as a folder delimiter.
bool breaksUrl(unsigned char c) {
    return c <= 0x20 || c >= 0x7F || c == '%' || c == '#' || c == '?' || c == '"' || c == '\\';
}

std::string encode(const std::string& reference, std::string_view alsoEncoded) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(reference.size());
    for (const char byte : reference) {
        const auto c = static_cast<unsigned char>(byte);
        if (breaksUrl(c) || alsoEncoded.find(byte) != std::string_view::npos) {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
        } else {
            out += byte;
        }
    }
    return out;
}

// A relative reference whose first segment holds ":" reads as a scheme (javascript:...);
// "./" before it keeps it a path.
std::string withoutScheme(std::string reference) {
    const std::size_t colon = reference.find(':');
    if (colon != std::string::npos && colon < reference.find('/')) {
        reference.insert(0, "./");
    }
    return reference;
}

} // namespace

std::string UrlInPage(const std::string& reference) {
    return withoutScheme(encode(reference, "&<>"));
}

std::string UrlInAttribute(const std::string& reference) {
    return encode(reference, {});
}

std::string UrlInStylesheet(const std::string& reference) {
    return withoutScheme(encode(reference, "()'"));
}

} // namespace fotoplex
