#include "gallery/PageText.h"

#include "gallery/HtmlEscaping.h"
#include "gallery/PageCharset.h"
#include "gallery/PageIdentity.h"
#include "project/TProject.h"

namespace fotoplex {

namespace {
bool isBlankChar(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}
} // namespace

bool IsBlank(const std::string& text) {
    return TrimBlanks(text).empty();
}

std::string TrimBlanks(const std::string& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && isBlankChar(text[first])) {
        ++first;
    }
    while (last > first && isBlankChar(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
}

std::string AlignmentText(int alignment) {
    switch (alignment) {
    case 0:
        return "center";
    case 1:
        return "left";
    case 2:
        return "right";
    default:
        return "";
    }
}

void AppendHeadLines(const TProject& project, const PageIdentity& identity,
                     std::vector<std::string>& lines) {
    lines.push_back(R"(<html><head><meta http-equiv="Content-Type" content="text/html; charset=)" +
                    project.GetCharset() + R"(">)");
    lines.push_back(R"(<meta name="GENERATOR" content=")" + identity.appTitle + R"(">)");
    lines.push_back(R"(<meta name="Keywords" content="quorvane, fotoplex, creator, build, )"
                    R"(create, thumbnails, image, resize, photo, album">)");
    lines.push_back(R"(<meta name="Description" content="Quorvane Fotoplex - Create your own )"
                    R"(web gallery in seconds.">)");
    lines.push_back(R"(<meta name="Robots" content="index, follow">)");
    if (!IsBlank(project.DocTitle.str())) {
        lines.push_back("<title>" + PageWord(project, AnglesEscaped(project.DocTitle.str())) +
                        "</title>");
    }
}

std::string PageWord(const TProject& project, const std::string& text) {
    return InPageCharset(text, project.GetCharset());
}

std::string CreditText(const TProject& project, const PageIdentity& identity) {
    return PageWord(project, project.BottomTitle.str() + identity.versionText);
}

} // namespace fotoplex
