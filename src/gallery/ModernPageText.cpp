#include "gallery/ModernPageText.h"

#include "base/Text.h"
#include "base/TextEncoding.h"
#include "gallery/HtmlEscaping.h"
#include "gallery/PageText.h"
#include "production/OutputNaming.h"
#include "project/TProject.h"

#include <cctype>

namespace fotoplex {

namespace {

bool isReferenceChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '#';
}

// True when text[at] ("&") begins "&name;" or "&#N;".
bool beginsReference(const std::string& text, std::size_t at) {
    std::size_t end = at + 1;
    while (end < text.size() && isReferenceChar(text[end])) {
        ++end;
    }
    return end > at + 1 && end < text.size() && text[end] == ';';
}

std::string withoutTags(const std::string& text) {
    std::string out;
    bool inTag = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool startsTag = c == '<' && i + 1 < text.size() &&
                               (std::isalpha(static_cast<unsigned char>(text[i + 1])) != 0 ||
                                text[i + 1] == '/' || text[i + 1] == '!');
        if (!inTag && startsTag) {
            inTag = true;
        } else if (inTag && c == '>') {
            inTag = false;
        } else if (!inTag) {
            out += c;
        }
    }
    return out;
}

} // namespace

std::string ContentText(const std::string& text) {
    return textAsUtf8(text);
}

std::string AttributeText(const std::string& text) {
    const std::string plain = withoutTags(textAsUtf8(text));
    std::string out;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        if (plain[i] == '&' && beginsReference(plain, i)) {
            out += '&';
        } else {
            out += HtmlEscaped(std::string(1, plain[i]));
        }
    }
    return out;
}

std::string CleanedName(const std::string& source) {
    std::string cleaned;
    for (char c : SourceBaseName(source)) {
        if (c == '_' || c == '-') {
            c = ' ';
        }
        if (c != ' ' || (!cleaned.empty() && cleaned.back() != ' ')) {
            cleaned += c;
        }
    }
    cleaned = TrimBlanks(cleaned);
    return textAsUtf8(cleaned.empty() ? SourceFileName(source) : cleaned);
}

std::string AltText(const std::optional<std::string>& caption, const std::string& source) {
    return caption ? *caption : CleanedName(source);
}

std::string GalleryTitle(const TProject& project) {
    for (const Text* title : {&project.DocTitle, &project.TopTitle, &project.GalleryText}) {
        if (!IsBlank(title->str())) {
            return TrimBlanks(title->str());
        }
    }
    return "Gallery";
}

bool OffersDarkScheme(const TProject& project) {
    return UsesDefaultColours(project) && project.BackgroundImagePath.empty();
}

bool UsesDefaultColours(const TProject& project) {
    const auto is = [](const Text& colour, const char* value) {
        return toLowerAscii(colour.str()) == toLowerAscii(value);
    };
    return is(project.TextColor, "#000000") && is(project.BackColor, "#FFFFFF") &&
           is(project.LinkColor, "#3333FF") && is(project.ActiveLinkColor, "#003399") &&
           is(project.VisitedLinkColor, "#003399") && is(project.HoverColor, "#3333FF");
}

} // namespace fotoplex
