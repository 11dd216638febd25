#include "gallery/ImagePages.h"

#include "base/FileUtil.h"
#include "gallery/PageText.h"
#include "gallery/UrlEncoding.h"
#include "production/OutputNaming.h"
#include "project/TProject.h"

namespace fotoplex {

namespace {

std::string entryOrEmpty(const std::vector<std::string>& list, std::size_t k) {
    return k < list.size() ? list[k] : std::string();
}

// The previous, gallery and next lines, written above and below the picture.
void appendLinkLines(const TProject& project, const ImagePageSet& set, std::size_t i,
                     std::vector<std::string>& lines) {
    const std::size_t fileCount = project.Files.size();
    if (i > 0) {
        lines.push_back(R"(<a href=")" + UrlInPage(entryOrEmpty(set.pageNames, i - 1)) +
                        R"(">)" + PageWord(project, project.PreviousText.str()) + "</a>&nbsp;");
    } else {
        lines.push_back(PageWord(project, project.PreviousText.str()) + "&nbsp;");
    }
    const std::size_t cellsPerPage = static_cast<std::size_t>(set.table.rows) * set.table.cols;
    const auto indexPage = static_cast<int>(i / cellsPerPage + 1);
    lines.push_back(R"(<a href=")" + IndexPageFileName(indexPage) + R"(">)" +
                    PageWord(project, project.GalleryText.str()) + "</a>&nbsp;");
    if (i + 1 < fileCount) {
        lines.push_back(R"(<a href=")" + UrlInPage(entryOrEmpty(set.pageNames, i + 1)) +
                        R"(">)" + PageWord(project, project.NextText.str()) + "</a>");
    } else {
        lines.push_back(PageWord(project, project.NextText.str()));
    }
}

std::string creditLine(const TProject& project, const ImagePageSet& set) {
    return R"(<td align=")" + set.alignText +
           R"("><br><a style="font-size: 11px; color: #777777;" href=")" +
           set.identity.homePageUrl + R"(" target="_blank">)" + CreditText(project, set.identity) +
           "</a></td></tr></table></body></html>";
}

} // namespace

void FormImagePage(const TProject& project, const ImagePageSet& set, std::size_t i,
                   std::vector<std::string>& lines) {
    const std::string& align = set.alignText;
    lines.clear();
    AppendHeadLines(project, set.identity, lines);
    lines.push_back(R"(<link rel="stylesheet" type="text/css" href="main.css"></head>)");
    lines.push_back("<body>");
    lines.push_back(R"(<table width="100%" height="90%" cellspacing="0" cellpadding="0">)"
                    R"(<tr><td valign="center">)");
    lines.push_back(R"(<table align=")" + align + R"(" cellspacing="0" cellpadding="0">)");
    lines.push_back(R"(<tr><td align="center">)");
    appendLinkLines(project, set, i, lines);
    lines.push_back("</td></tr>");
    lines.push_back(R"(<tr><td valign="center">)");
    lines.push_back(R"(<table class="btable" align=")" + align + R"(" cellspacing=")" +
                    std::to_string(project.CellSpacing) + R"(" cellpadding=")" +
                    std::to_string(project.CellPadding) + R"(">)");
    lines.push_back("<tr><td>");
    const std::string image = set.outputs != nullptr ? set.outputs->imagePath(i)
                                                     : ImageFilePath(project, project.Files[i]);
    lines.push_back(R"(<img src=")" + UrlInPage(RelativeToTarget(project, image)) +
                    R"(" width=")" + entryOrEmpty(set.widths, i) + R"(" height=")" +
                    entryOrEmpty(set.heights, i) + R"("><br>)");
    lines.push_back("</td></tr></table>");
    lines.push_back("</td></tr>");
    lines.push_back(R"(<tr><td align="center" valign="center">)");
    appendLinkLines(project, set, i, lines);
    lines.push_back("</td></tr><tr>");
    lines.push_back(creditLine(project, set));
}

void WriteImagePages(const TProject& project, const std::vector<std::string>& widths,
                     const std::vector<std::string>& heights, const PageIdentity& identity) {
    const OutputNames names = OutputNames::For(project);
    const std::vector<std::string> pageNames = names.pageNames();
    const ImagePageSet set{ShownTableSize(project),
                           AlignmentText(project.Alignment),
                           pageNames,
                           widths,
                           heights,
                           identity,
                           &names};
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < project.Files.size(); ++i) {
        FormImagePage(project, set, i, lines);
        WriteTextLines(project.TargetDir.str() + pageNames[i], lines);
    }
}

} // namespace fotoplex
