#include "gallery/ModernHead.h"

#include "gallery/HtmlEscaping.h"
#include "gallery/ModernPageText.h"
#include "gallery/UrlEncoding.h"
#include "project/PageStyle.h"
#include "project/TProject.h"

namespace fotoplex {

std::string PageLanguageTag(const TProject& project) {
    const std::string& tag = project.PageLanguage.str();
    return IsLanguageTag(tag) ? tag : kDefaultPageLanguage;
}

std::string SiteUrl(const TProject& project, const std::string& relativePath) {
    std::string site = project.SiteAddress.str();
    if (!IsSiteAddress(site)) {
        return "";
    }
    if (site.back() != '/') {
        site += '/';
    }
    std::string reference = UrlInPage(relativePath);
    if (reference.rfind("./", 0) == 0) {
        reference.erase(0, 2);
    }
    return HtmlEscaped(site + reference);
}

void AppendModernHead(const TProject& project, const PageIdentity& identity, const ModernHead& head,
                      std::vector<std::string>& lines) {
    lines.push_back("<!DOCTYPE html>");
    lines.push_back(R"(<html lang=")" + PageLanguageTag(project) + R"(">)");
    lines.push_back("<head>");
    lines.push_back(R"(<meta charset="utf-8">)");
    lines.push_back(R"(<meta name="viewport" content="width=device-width, initial-scale=1">)");
    lines.push_back(R"(<meta name="color-scheme" content=")" +
                    std::string(OffersDarkScheme(project) ? "light dark" : "light") + R"(">)");
    lines.push_back("<title>" + head.title + "</title>");
    lines.push_back(R"(<meta name="description" content=")" + head.description + R"(">)");
    lines.push_back(R"(<meta name="generator" content=")" + HtmlEscaped(identity.appTitle) +
                    R"(">)");
    lines.push_back(R"(<link rel="stylesheet" href="main.css">)");
    lines.push_back(R"(<link rel="icon" href="data:,">)");
    for (const std::string& link : head.links) {
        lines.push_back(link);
    }
    const std::string url = SiteUrl(project, head.pageName);
    if (url.empty()) {
        lines.push_back("</head>");
        return;
    }
    lines.push_back(R"(<link rel="canonical" href=")" + url + R"(">)");
    lines.push_back(R"(<meta property="og:title" content=")" + head.title + R"(">)");
    lines.push_back(R"(<meta property="og:description" content=")" + head.description + R"(">)");
    lines.push_back(R"(<meta property="og:type" content="website">)");
    lines.push_back(R"(<meta property="og:url" content=")" + url + R"(">)");
    if (head.shareImage && head.shareImage->width > 0) {
        const PageFile& image = *head.shareImage;
        lines.push_back(R"(<meta property="og:image" content=")" + SiteUrl(project, image.path) +
                        R"(">)");
        lines.push_back(R"(<meta property="og:image:width" content=")" +
                        std::to_string(image.width) + R"(">)");
        lines.push_back(R"(<meta property="og:image:height" content=")" +
                        std::to_string(image.height) + R"(">)");
    }
    lines.push_back(R"(<meta name="twitter:card" content="summary_large_image">)");
    lines.push_back("</head>");
}

} // namespace fotoplex
