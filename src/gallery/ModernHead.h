#pragma once

// The head every modern page opens with: doctype, language, UTF-8, a viewport that never
// forbids zooming, the colour schemes, the page's own title and description, the stylesheet,
// an empty icon (so no browser asks for a missing one), the page's own links, and with a
// SiteAddress the canonical address and the tags a shared link is shown with.

#include "gallery/ModernPictureSet.h"
#include "gallery/PageIdentity.h"

#include <optional>
#include <string>
#include <vector>

namespace fotoplex {

class TProject;

struct ModernHead {
    std::string title;       // escaped
    std::string description; // escaped
    std::string pageName;    // this page's file name in the target folder
    std::optional<PageFile> shareImage;
    std::vector<std::string> links; // further <link> lines, written as given
};

void AppendModernHead(const TProject& project, const PageIdentity& identity, const ModernHead& head,
                      std::vector<std::string>& lines);

// The language the pages declare: PageLanguage when it is a language tag, else "en".
std::string PageLanguageTag(const TProject& project);

// The absolute address of a file of the gallery under SiteAddress; empty without one.
std::string SiteUrl(const TProject& project, const std::string& relativePath);

} // namespace fotoplex
