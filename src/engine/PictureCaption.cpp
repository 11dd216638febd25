#include "engine/PictureCaption.h"

#include "base/TextEncoding.h"
#include "engine/FileBytes.h"
#include "engine/TiffStructure.h"

#include <string_view>

namespace fotoplex {

namespace {

constexpr std::uint16_t kImageDescriptionTag = 0x010E;
constexpr std::uint16_t kAsciiType = 2;
// Enough for the markers before the picture data of any camera's file.
constexpr std::uint64_t kHeadBytes = 256 * 1024;
constexpr std::string_view kXmpIdentifier = "http://ns.adobe.com/xap/1.0/";

std::optional<std::string> nonBlank(std::string text) {
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && blank(text.back())) {
        text.pop_back();
    }
    std::size_t first = 0;
    while (first < text.size() && blank(text[first])) {
        ++first;
    }
    text.erase(0, first);
    if (text.empty()) {
        return std::nullopt;
    }
    return textAsUtf8(text);
}

// The text between an XMP element's start tag (attributes allowed) and its end tag.
std::optional<std::string_view> elementText(std::string_view xml, std::string_view name) {
    // Appended, not concatenated: GCC 12 sees overlapping copies in "<" + std::string.
    std::string open = "<";
    open.append(name);
    std::size_t at = xml.find(open);
    while (at != std::string_view::npos) {
        const char after = at + open.size() < xml.size() ? xml[at + open.size()] : '\0';
        if (after == '>' || after == ' ' || after == '\t' || after == '\n' || after == '\r') {
            break;
        }
        at = xml.find(open, at + 1);
    }
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t start = xml.find('>', at);
    if (start == std::string_view::npos || xml[start - 1] == '/') {
        return std::nullopt;
    }
    std::string close = "</";
    close.append(name);
    const std::size_t end = xml.find(close, start);
    if (end == std::string_view::npos) {
        return std::nullopt;
    }
    return xml.substr(start + 1, end - start - 1);
}

std::string utf8Of(std::uint32_t code) {
    std::string out;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
    return out;
}

// XML's five references and numeric ones, as the packet writes its text.
std::string xmlText(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t semicolon = text.find(';', i);
        if (text[i] != '&' || semicolon == std::string_view::npos || semicolon - i > 10) {
            out += text[i];
            continue;
        }
        const std::string_view name = text.substr(i + 1, semicolon - i - 1);
        std::uint32_t code = 0;
        if (name == "amp") {
            code = '&';
        } else if (name == "lt") {
            code = '<';
        } else if (name == "gt") {
            code = '>';
        } else if (name == "quot") {
            code = '"';
        } else if (name == "apos") {
            code = '\'';
        } else if (name.size() > 1 && name[0] == '#') {
            const bool hex = name[1] == 'x';
            for (const char c : name.substr(hex ? 2 : 1)) {
                const int digit = c >= '0' && c <= '9'          ? c - '0'
                                  : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10
                                  : hex && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                                : -1;
                if (digit < 0 || code > 0x10FFFF) {
                    code = 0;
                    break;
                }
                code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
            }
        }
        if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            out += text[i];
            continue;
        }
        out += utf8Of(code);
        i = semicolon;
    }
    return out;
}

} // namespace

std::optional<std::string> ExifDescription(std::span<const std::uint8_t> app1) {
    const auto tiff = locateTiff(app1, false);
    if (!tiff) {
        return std::nullopt;
    }
    const TiffCursor cursor(tiff->bytes, tiff->bigEndian);
    const auto count = cursor.u16(tiff->ifd0);
    if (!count) {
        return std::nullopt;
    }
    for (std::uint16_t k = 0; k < *count; ++k) {
        const std::size_t entry = tiff->ifd0 + 2 + std::size_t{k} * 12;
        const auto tag = cursor.u16(entry);
        const auto type = cursor.u16(entry + 2);
        const auto length = cursor.u32(entry + 4);
        if (!tag || !type || !length) {
            return std::nullopt;
        }
        if (*tag != kImageDescriptionTag || *type != kAsciiType) {
            continue;
        }
        std::size_t offset = entry + 8;
        if (*length > 4) {
            const auto at = cursor.u32(entry + 8);
            if (!at) {
                return std::nullopt;
            }
            offset = *at;
        }
        if (offset > tiff->bytes.size() || tiff->bytes.size() - offset < *length) {
            return std::nullopt;
        }
        std::string text(reinterpret_cast<const char*>(tiff->bytes.data() + offset), *length);
        text = text.substr(0, text.find('\0'));
        return nonBlank(text);
    }
    return std::nullopt;
}

std::optional<std::string> XmpDescription(std::string_view packet) {
    const auto description = elementText(packet, "dc:description");
    if (!description) {
        return std::nullopt;
    }
    const auto alternative = elementText(*description, "rdf:li");
    return nonBlank(xmlText(alternative ? *alternative : *description));
}

std::optional<std::string> JpegCaption(std::span<const std::uint8_t> head) {
    if (head.size() < 4 || head[0] != 0xFF || head[1] != 0xD8) {
        return std::nullopt;
    }
    std::optional<std::string> fromXmp;
    std::size_t at = 2;
    while (at + 4 <= head.size() && head[at] == 0xFF) {
        const std::uint8_t code = head[at + 1];
        if (code == 0xDA || code == 0xD9) {
            break; // the picture data: no marker after it describes the photo
        }
        const std::size_t length = (std::size_t{head[at + 2]} << 8) | head[at + 3];
        if (length < 2 || at + 2 + length > head.size()) {
            break;
        }
        const auto payload = head.subspan(at + 4, length - 2);
        if (code == 0xE1) {
            if (auto exif = ExifDescription(payload)) {
                return exif;
            }
            const std::string_view text(reinterpret_cast<const char*>(payload.data()),
                                        payload.size());
            if (!fromXmp && text.substr(0, kXmpIdentifier.size()) == kXmpIdentifier) {
                fromXmp = XmpDescription(text.substr(kXmpIdentifier.size()));
            }
        }
        at += 2 + length;
    }
    return fromXmp;
}

std::optional<std::string> ReadJpegCaption(const std::string& path) {
    const auto file = readFileBytes(path, kHeadBytes);
    if (!file) {
        return std::nullopt;
    }
    return JpegCaption(file->bytes);
}

} // namespace fotoplex
