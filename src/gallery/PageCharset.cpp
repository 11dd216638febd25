#include "gallery/PageCharset.h"

#include "base/Text.h"
#include "base/TextEncoding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iconv.h>
#include <string_view>
#include <utility>

namespace fotoplex {

namespace {

// The charset texts of the project's table, as the system's converter names them. A charset
// it does not know gets references for every character outside ASCII. So do "x-mac-ce" and
// "x-mac-greek": browsers know no such label and would read their bytes as Windows-1252.
const char* converterName(const std::string& charset) {
    static constexpr std::array<std::pair<std::string_view, const char*>, 17> kNames = {{
        {"iso-8859-1", "ISO-8859-1"},
        {"iso-8859-2", "ISO-8859-2"},
        {"iso-8859-5", "ISO-8859-5"},
        {"iso-8859-7", "ISO-8859-7"},
        {"x-mac-cyrillic", "MAC-CYRILLIC"},
        {"windows-1250", "CP1250"},
        {"windows-1251", "CP1251"},
        {"windows-1252", "CP1252"},
        {"windows-1253", "CP1253"},
        {"koi8-r", "KOI8-R"},
        {"euc-jp", "EUC-JP"},
        {"iso-2022-jp", "ISO-2022-JP"},
        {"shift_jis", "SHIFT_JIS"},
        {"euc-kr", "EUC-KR"},
        {"gb2312", "GB2312"},
        {"big5", "BIG5"},
        {"utf-8", "UTF-8"},
    }};
    const std::string key = toLowerAscii(charset);
    const auto found = std::find_if(kNames.begin(), kNames.end(),
                                    [&](const auto& entry) { return entry.first == key; });
    return found != kNames.end() ? found->second : nullptr;
}

// One conversion from UTF-8 into a charset; closed when it goes.
class Converter {
public:
    explicit Converter(const char* name)
        : handle_(name != nullptr ? iconv_open(name, "UTF-8") : invalid()) {}
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    ~Converter() {
        if (handle_ != invalid()) {
            iconv_close(handle_);
        }
    }

    // Appends one character (its UTF-8 bytes); false when the charset cannot hold it.
    bool append(std::string_view character, std::string& out) {
        if (handle_ == invalid()) {
            return false;
        }
        std::array<char, 16> buffer{};
        char* in = const_cast<char*>(character.data());
        std::size_t inLeft = character.size();
        char* target = buffer.data();
        std::size_t targetLeft = buffer.size();
        if (iconv(handle_, &in, &inLeft, &target, &targetLeft) == static_cast<std::size_t>(-1)) {
            return false;
        }
        out.append(buffer.data(), buffer.size() - targetLeft);
        shifted_ = true;
        return true;
    }

    // Returns a stateful charset (iso-2022-jp) to its initial state, where ASCII is ASCII.
    void reset(std::string& out) {
        if (!shifted_) {
            return;
        }
        std::array<char, 16> buffer{};
        char* target = buffer.data();
        std::size_t targetLeft = buffer.size();
        iconv(handle_, nullptr, nullptr, &target, &targetLeft);
        out.append(buffer.data(), buffer.size() - targetLeft);
        shifted_ = false;
    }

private:
    static iconv_t invalid() { return reinterpret_cast<iconv_t>(-1); }

    iconv_t handle_;
    bool shifted_ = false;
};

// The code point of the valid UTF-8 sequence at `at`, and its length.
std::pair<char32_t, std::size_t> decodeUtf8(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        c = (c << 6) | (static_cast<unsigned char>(text[at + k]) & 0x3F);
    }
    return {c, length};
}

bool isAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

std::string InPageCharset(const std::string& text, const std::string& charset) {
    if (isAscii(text)) {
        return text;
    }
    const std::string utf8 = textAsUtf8(text);
    const char* name = converterName(charset);
    if (name != nullptr && std::string_view(name) == "UTF-8") {
        return utf8;
    }
    Converter converter(name);
    std::string out;
    out.reserve(utf8.size() + 16);
    std::size_t i = 0;
    while (i < utf8.size()) {
        if (static_cast<unsigned char>(utf8[i]) < 0x80) {
            converter.reset(out);
            out += utf8[i++];
            continue;
        }
        const auto [code, length] = decodeUtf8(utf8, i);
        if (!converter.append(std::string_view(utf8).substr(i, length), out)) {
            converter.reset(out);
            out += "&#" + std::to_string(static_cast<std::uint32_t>(code)) + ";";
        }
        i += length;
    }
    converter.reset(out);
    return out;
}

} // namespace fotoplex
