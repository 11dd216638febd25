#include "gallery/Stylesheet.h"

#include "base/FileUtil.h"
#include "base/Text.h"
#include "gallery/UrlEncoding.h"
#include "production/OutputNaming.h"
#include "project/TProject.h"

namespace fotoplex {

namespace {

std::string px(int value) {
    return std::to_string(value) + "px";
}

// "font-family: F; font-size: Npx; color: C", the start every font rule shares.
std::string fontAndColor(const TProject& project, const std::string& color) {
    return "font-family: " + project.GetFontFamily() + "; font-size: " + px(project.NavFontSize) +
           "; color: " + color;
}

std::string linkRule(const TProject& project, const std::string& state, const std::string& color,
                     const std::string& decoration) {
    return "a:" + state + " { " + fontAndColor(project, color) +
           "; text-decoration: " + decoration + "; }";
}

std::string bodyRule(const TProject& project) {
    std::string rule = "body { " + fontAndColor(project, project.TextColor.str()) +
                       "; background-color: " + project.BackColor.str() + ";";
    if (!project.BackgroundImagePath.empty()) {
        rule += " background: url(" + UrlInStylesheet(BackgroundFileName(project)) + ");";
    }
    // Left, top, bottom, right: the order the rule has always had.
    return rule + " margin-left: " + px(project.MarginLeft) +
           "; margin-top: " + px(project.MarginTop) +
           "; margin-bottom: " + px(project.MarginBottom) +
           "; margin-right: " + px(project.MarginRight) + "; }";
}

} // namespace

std::vector<std::string> GetCSS(const TProject& project) {
    return {
        linkRule(project, "link", project.LinkColor.str(), "none"),
        linkRule(project, "active", project.ActiveLinkColor.str(), "none"),
        linkRule(project, "visited", project.VisitedLinkColor.str(), "none"),
        linkRule(project, "hover", project.HoverColor.str(), "underline"),
        "img { border: 0px; }",
        bodyRule(project),
        "td { " + fontAndColor(project, project.TextColor.str()) + "; }",
        ".btable { border: " + px(project.TableBorder) + " solid " + project.BorderColor.str() +
            "; }",
    };
}

void MakeCSS(const TProject& project) {
    WriteTextLines(project.TargetDir.str() + "main.css", GetCSS(project));
}

void CopyBackgroundImage(const TProject& project) {
    const std::string& source = project.BackgroundImagePath.str();
    if (source.empty() || !RegularFileExists(source)) {
        return;
    }
    const std::string copy = project.TargetDir.str() + BackgroundFileName(project);
    // A background that already lies in the gallery under its copy's name is in place:
    // copying it onto itself could only fail, and would fail every build.
    if (SameFile(source, copy)) {
        return;
    }
    CopyFileReplacing(source, copy);
}

} // namespace fotoplex
