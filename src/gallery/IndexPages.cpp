#include "gallery/IndexPages.h"

#include "base/FileUtil.h"
#include "gallery/HtmlEscaping.h"
#include "gallery/PageText.h"
#include "gallery/UrlEncoding.h"
#include "production/OutputNaming.h"
#include "project/TProject.h"

namespace fotoplex {

namespace {

using std::to_string;

constexpr int kBytesPerKilobyte = 1024;

std::string entryOrEmpty(const std::vector<std::string>& list, std::size_t k) {
    return k < list.size() ? list[k] : std::string();
}

void appendScript(std::vector<std::string>& lines) {
    lines.push_back(R"(<script language="JavaScript" type="text/JavaScript">)");
    lines.push_back("<!--");
    lines.push_back("function jmpMenu(targ,selObj,restore){");
    lines.push_back(R"(eval(targ+".location='"+selObj.options[selObj.selectedIndex].value+"'");)");
    lines.push_back("if (restore) selObj.selectedIndex=0; }");
    lines.push_back("//-->");
    lines.push_back("</script>");
}

std::string frameLine(const TProject& project, const std::string& alignText) {
    std::string width;
    if (!project.TableAutoWidth) {
        width = project.TableWidthInPixels ? to_string(project.TableWidthPx)
                                           : to_string(project.TableWidthPer) + "%";
        width = R"(width=")" + width + R"(" )";
    }
    return "<table " + width + R"(class="btable" align=")" + alignText +
           R"(" cellspacing="4" cellpadding="0"><tr><td>)";
}

std::string headerRow(const TProject& project, const IndexPageSet& set, int pageNumber) {
    return R"(<tr><td bgcolor=")" + project.TableHeaderColor.str() + R"(" colspan=")" +
           to_string(set.table.cols) + R"(" align="center"><font color=")" +
           project.TableHeaderTextColor.str() + R"("><b>)" +
           PageWord(project, project.PageText.str()) + " " + to_string(pageNumber) + " " +
           PageWord(project, project.OfText.str()) + " " + to_string(set.pageCount) +
           "</b></font></td></tr>";
}

std::string thumbPath(const TProject& project, const IndexPageSet& set, std::size_t k) {
    return set.outputs != nullptr ? set.outputs->thumbPath(k)
                                  : ThumbFilePath(project, project.Files[k]);
}

std::string imagePath(const TProject& project, const IndexPageSet& set, std::size_t k) {
    return set.outputs != nullptr ? set.outputs->imagePath(k)
                                  : ImageFilePath(project, project.Files[k]);
}

std::string thumbnailCell(const TProject& project, const IndexPageSet& set, std::size_t k) {
    const std::string& source = project.Files[k];
    return R"(<td width=")" + to_string(project.ThumbWidth) + R"(" height=")" +
           to_string(project.ThumbHeight) + R"(" valign="center"><a href=")" +
           UrlInPage(entryOrEmpty(set.pageNames, k)) + R"(" target=")" +
           LinksTargetText(project.LinksTarget) + R"("><img src=")" +
           UrlInPage(RelativeToTarget(project, thumbPath(project, set, k))) + R"(" width=")" +
           entryOrEmpty(set.thumbSizes.widths, k) + R"(" height=")" +
           entryOrEmpty(set.thumbSizes.heights, k) + R"(" border="0" align="absmiddle" alt=")" +
           PageWord(project, HtmlEscaped(SourceFileName(source))) + R"("></a></td>)";
}

std::string emptyThumbnailCell(const TProject& project) {
    return R"(<td width=")" + to_string(project.ThumbWidth) + R"(" height=")" +
           to_string(project.ThumbHeight) + R"(">&nbsp;</td>)";
}

std::string sizeCell(const TProject& project, const IndexPageSet& set, std::size_t k) {
    const int kilobytes = FileSizeByName(imagePath(project, set, k)) / kBytesPerKilobyte;
    return R"(<td bgcolor=")" + project.TableHeaderColor.str() + R"(" align="center">)" +
           to_string(kilobytes) + " KB</td>";
}

void appendTableRows(const TProject& project, const IndexPageSet& set, int pageNumber,
                     std::vector<std::string>& lines) {
    const std::size_t fileCount = project.Files.size();
    const std::size_t cells = static_cast<std::size_t>(set.table.rows) * set.table.cols;
    const std::size_t first = static_cast<std::size_t>(pageNumber - 1) * cells;
    for (int r = 0; r < set.table.rows; ++r) {
        const std::size_t rowStart = first + static_cast<std::size_t>(r) * set.table.cols;
        lines.push_back(R"(<tr align="center">)");
        for (int c = 0; c < set.table.cols; ++c) {
            const std::size_t k = rowStart + c;
            lines.push_back(k < fileCount ? thumbnailCell(project, set, k)
                                          : emptyThumbnailCell(project));
        }
        lines.push_back("</tr><tr>");
        for (int c = 0; c < set.table.cols; ++c) {
            const std::size_t k = rowStart + c;
            lines.push_back(k < fileCount ? sizeCell(project, set, k) : "<td>&nbsp;</td>");
        }
        lines.push_back("</tr>");
    }
}

// The row linking to the previous and the next index page; the words without a page to go
// to stay plain text with their arrows.
std::string navigationRow(const TProject& project, const IndexPageSet& set, int pageNumber) {
    const std::string previousWord = "[&lt;&lt;] " + PageWord(project, project.PreviousText.str());
    const std::string nextWord = PageWord(project, project.NextText.str()) + " [&gt;&gt;]";
    std::string previous = previousWord;
    if (pageNumber > 1) {
        previous =
            R"(<a href=")" + IndexPageFileName(pageNumber - 1) + R"(">)" + previousWord + "</a>";
    }
    std::string next = nextWord;
    if (pageNumber < set.pageCount) {
        next = R"(<a href=")" + IndexPageFileName(pageNumber + 1) + R"(">)" + nextWord + "</a>";
    }
    return R"(<tr><td colspan=")" + to_string(set.table.cols) + R"(" align="center">)" + previous +
           "&nbsp;" + next + "</td></tr>";
}

void appendJumpMenu(const TProject& project, const IndexPageSet& set, int pageNumber,
                    std::vector<std::string>& lines) {
    const std::string pageWord = PageWord(project, project.PageText.str());
    lines.push_back(R"(<tr><td colspan=")" + to_string(set.table.cols) + R"(" align="center">)" +
                    PageWord(project, project.JumpToText.str()) +
                    R"x(: <select name="select" onChange="jmpMenu('parent',this,0)">)x");
    // The first option is split over lines, with " selected" on a line of its own.
    lines.push_back(R"(<option value="index.html")");
    if (pageNumber == 1) {
        lines.push_back(" selected");
    }
    lines.push_back(">" + pageWord + " 1</option>");
    for (int j = 2; j <= set.pageCount; ++j) {
        const std::string selected = j == pageNumber ? " selected" : "";
        lines.push_back(R"(<option value="page)" + to_string(j) + R"(.html")" + selected + ">" +
                        pageWord + " " + to_string(j) + "</option>");
    }
    lines.push_back("</select></td></tr>");
}

std::string creditLine(const TProject& project, const IndexPageSet& set) {
    return R"(<br><p align=")" + set.alignText +
           R"("><a style="font-size: 11px; color: #777777;" href=")" + set.identity.homePageUrl +
           R"(" target="_blank">)" + CreditText(project, set.identity) + "</a></p><br>";
}

} // namespace

std::optional<std::string> RecomputePageCount(ProgramState& state, int rows, int cols,
                                              std::size_t fileCount) {
    const auto cellsPerPage = static_cast<std::uint16_t>(static_cast<std::int64_t>(rows) *
                                                         static_cast<std::int64_t>(cols));
    if (cellsPerPage == 0) {
        return "Error: All values MUST be positive";
    }
    if (fileCount == 0) {
        return std::nullopt;
    }
    const std::size_t pages = fileCount / cellsPerPage + (fileCount % cellsPerPage != 0 ? 1 : 0);
    state.pageCount = static_cast<std::uint16_t>(pages);
    return "Items: " + to_string(fileCount) + "   Pages: " + to_string(state.pageCount);
}

std::string LinksTargetText(int linksTarget) {
    switch (linksTarget) {
    case 0:
        return "_blank";
    case 2:
        return "_top";
    case 3:
        return "_parent";
    default:
        return "_self";
    }
}

void FormIndexPage(const TProject& project, const IndexPageSet& set, int pageNumber,
                   std::vector<std::string>& lines) {
    lines.clear();
    AppendHeadLines(project, set.identity, lines);
    appendScript(lines);
    lines.push_back(R"(<link rel="stylesheet" type="text/css" href="main.css"></head><body>)");
    lines.push_back(
        R"(<table width="100%" height="100%" border="0" cellspacing="0" cellpadding="0">)");
    lines.push_back(R"(<tr><td valign="center">)");
    if (!IsBlank(project.TopTitle.str())) {
        const std::string level = to_string(project.TopTitleSize + 1);
        lines.push_back("<br><h" + level + R"( align=")" + set.alignText + R"(">)" +
                        PageWord(project, TrimBlanks(project.TopTitle.str())) + "</h" + level +
                        "></p><br>");
    }
    lines.push_back(frameLine(project, set.alignText));
    lines.push_back(R"(<table width="100%" align="center" cellspacing=")" +
                    to_string(project.CellSpacing) + R"(" cellpadding=")" +
                    to_string(project.CellPadding) + R"(">)");
    lines.push_back(headerRow(project, set, pageNumber));
    appendTableRows(project, set, pageNumber, lines);
    if (set.pageCount > 1) {
        lines.push_back(navigationRow(project, set, pageNumber));
    }
    if (project.JumpMenu) {
        appendJumpMenu(project, set, pageNumber, lines);
    }
    lines.push_back("</table></td></tr></table>");
    lines.push_back(creditLine(project, set));
    lines.push_back("</td></tr></table>");
    lines.push_back("</body></html>");
}

void WriteIndexPages(const TProject& project, ProgramState& state, const PageIdentity& identity) {
    if (project.Alignment >= 0 && project.Alignment <= 2) {
        state.alignText = AlignmentText(project.Alignment);
    }
    if (project.Files.empty()) {
        return;
    }
    const TableSize table = ShownTableSize(project);
    RecomputePageCount(state, table.rows, table.cols, project.Files.size());
    const OutputNames names = OutputNames::For(project);
    state.pageNames = names.pageNames();

    const IndexPageSet set{table,
                           static_cast<std::uint16_t>(state.pageCount),
                           state.alignText,
                           state.pageNames,
                           state.thumbSizes,
                           identity,
                           &names};
    for (int i = 1; i <= set.pageCount; ++i) {
        FormIndexPage(project, set, i, state.indexLines);
        WriteTextLines(project.TargetDir.str() + IndexPageFileName(i), state.indexLines);
    }
    state.indexLines.clear();
}

} // namespace fotoplex
