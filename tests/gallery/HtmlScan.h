#pragma once

// A small reader of the tags of a page, as a browser's tokenizer splits them: element names
// and their attributes with the values' references decoded. Enough to see whether a text put
// into a page added an element or an attribute of its own.

#include <cctype>
#include <map>
#include <string>
#include <vector>

namespace fotoplex::testing {

struct HtmlTag {
    std::string name; // lower case; a closing tag starts with "/"
    std::map<std::string, std::string> attributes;
};

// The text with the references the pages use (&amp; &lt; &gt; &quot; &#N;) decoded; other
// references stay as written.
inline std::string decodeReferences(const std::string& text) {
    static const std::map<std::string, std::string> kNamed = {
        {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"nbsp", "\xC2\xA0"}};
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t semicolon = text.find(';', i);
        if (text[i] == '&' && semicolon != std::string::npos && semicolon - i < 10) {
            const std::string name = text.substr(i + 1, semicolon - i - 1);
            if (name.size() > 1 && name[0] == '#' &&
                std::isdigit(static_cast<unsigned char>(name[1]))) {
                const unsigned long code = std::stoul(name.substr(1));
                if (code < 0x80) {
                    out += static_cast<char>(code);
                } else {
                    out += "&#" + name.substr(1) + ";"; // kept: the tests compare ASCII only
                }
                i = semicolon;
                continue;
            }
            if (const auto found = kNamed.find(name); found != kNamed.end()) {
                out += found->second;
                i = semicolon;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

inline std::string percentDecoded(const std::string& reference) {
    std::string out;
    for (std::size_t i = 0; i < reference.size(); ++i) {
        if (reference[i] == '%' && i + 2 < reference.size() &&
            std::isxdigit(static_cast<unsigned char>(reference[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(reference[i + 2]))) {
            out += static_cast<char>(std::stoi(reference.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += reference[i];
        }
    }
    return out;
}

// Every tag of the page in order. Comments, doctypes and the contents of script and style
// elements are skipped as a browser skips them.
inline std::vector<HtmlTag> scanTags(const std::string& page) {
    std::vector<HtmlTag> tags;
    std::size_t i = 0;
    const auto lower = [](std::string s) {
        for (char& c : s) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        return s;
    };
    while ((i = page.find('<', i)) != std::string::npos) {
        if (page.compare(i, 4, "<!--") == 0) {
            const std::size_t end = page.find("-->", i + 4);
            i = end == std::string::npos ? page.size() : end + 3;
            continue;
        }
        if (page.compare(i, 2, "<!") == 0) {
            i = page.find('>', i);
            continue;
        }
        std::size_t j = i + 1;
        const bool closing = j < page.size() && page[j] == '/';
        if (closing) {
            ++j;
        }
        if (j >= page.size() || !std::isalpha(static_cast<unsigned char>(page[j]))) {
            ++i; // a "<" that starts no tag is text
            continue;
        }
        HtmlTag tag;
        while (j < page.size() && !std::isspace(static_cast<unsigned char>(page[j])) &&
               page[j] != '>' && page[j] != '/') {
            tag.name += page[j++];
        }
        tag.name = (closing ? "/" : "") + lower(tag.name);
        while (j < page.size() && page[j] != '>') {
            if (std::isspace(static_cast<unsigned char>(page[j])) || page[j] == '/') {
                ++j;
                continue;
            }
            std::string name;
            while (j < page.size() && !std::isspace(static_cast<unsigned char>(page[j])) &&
                   page[j] != '=' && page[j] != '>') {
                name += page[j++];
            }
            std::string value;
            if (j < page.size() && page[j] == '=') {
                ++j;
                if (page[j] == '"' || page[j] == '\'') {
                    const char quote = page[j];
                    const std::size_t end = page.find(quote, j + 1);
                    value = page.substr(j + 1, end - j - 1);
                    j = end + 1;
                } else {
                    while (j < page.size() && !std::isspace(static_cast<unsigned char>(page[j])) &&
                           page[j] != '>') {
                        value += page[j++];
                    }
                }
            }
            tag.attributes[lower(name)] = decodeReferences(value);
        }
        i = j;
        tags.push_back(tag);
        if (tag.name == "script" || tag.name == "style") {
            const std::size_t end = page.find("</" + tag.name, i);
            i = end == std::string::npos ? page.size() : end;
        }
    }
    return tags;
}

} // namespace fotoplex::testing
