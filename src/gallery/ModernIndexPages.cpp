#include "gallery/ModernIndexPages.h"

#include "base/FileUtil.h"
#include "gallery/HtmlEscaping.h"
#include "gallery/IndexPages.h"
#include "gallery/ModernHead.h"
#include "gallery/ModernPageText.h"
#include "gallery/PageNames.h"
#include "gallery/PageText.h"
#include "gallery/UrlEncoding.h"
#include "project/TProject.h"

#include <algorithm>

namespace fotoplex {

namespace {

using std::to_string;

std::string pageCountText(const TProject& project, int pageNumber, int pageCount) {
    return project.PageText.str() + " " + to_string(pageNumber) + " " + project.OfText.str() + " " +
           to_string(pageCount);
}

std::string targetAttribute(const TProject& project) {
    const std::string target = LinksTargetText(project.LinksTarget);
    return target == "_self" ? "" : R"( target=")" + target + R"(")";
}

std::string thumbnailCell(const TProject& project, const ModernPicture& picture, bool eager) {
    // The anchor is the cell's id, so a picture page's index link returns to it.
    std::string img = R"(<img src=")" + picture.thumb.reference + R"(")";
    if (picture.sharpThumb) {
        img += R"( srcset=")" + SourceSet(picture.thumb, *picture.sharpThumb) + R"(")";
    }
    img += R"( width=")" + to_string(picture.thumb.width) + R"(" height=")" +
           to_string(picture.thumb.height) + R"(" alt=")" + HtmlEscaped(picture.alt) + R"(")";
    img += eager ? R"( decoding="async">)" : R"( loading="lazy" decoding="async">)";
    return R"(<li id=")" + picture.anchor + R"("><a href=")" + UrlInPage(picture.pageName) +
           R"(")" + targetAttribute(project) + ">" + img + "</a></li>";
}

std::string navigation(const TProject& project, int pageNumber, int pageCount) {
    const std::string previous = "&#8249; " + ContentText(project.PreviousText.str());
    const std::string next = ContentText(project.NextText.str()) + " &#8250;";
    std::string line = R"(<nav class="pages" aria-label=")" +
                       AttributeText(pageCountText(project, pageNumber, pageCount)) + R"(">)";
    line += pageNumber > 1 ? R"(<a href=")" + IndexPageFileName(pageNumber - 1) +
                                 R"(" rel="prev">)" + previous + "</a>"
                           : R"(<span class="off">)" + previous + "</span>";
    line += pageNumber < pageCount ? R"(<a href=")" + IndexPageFileName(pageNumber + 1) +
                                         R"(" rel="next">)" + next + "</a>"
                                   : R"(<span class="off">)" + next + "</span>";
    return line + "</nav>";
}

std::string jumpMenu(const TProject& project, int pageNumber, int pageCount) {
    std::string line = R"(<nav class="jump" aria-label=")" +
                       AttributeText(project.JumpToText.str()) + R"("><span>)" +
                       ContentText(project.JumpToText.str()) + ":</span>";
    for (int j = 1; j <= pageCount; ++j) {
        const std::string current = j == pageNumber ? R"( aria-current="page")" : "";
        line += R"(<a href=")" + IndexPageFileName(j) + R"(")" + current + ">" +
                ContentText(project.PageText.str()) + " " + to_string(j) + "</a>";
    }
    return line + "</nav>";
}

ModernHead indexHead(const TProject& project, const std::vector<ModernPicture>& pictures,
                     std::size_t first, int pageNumber, int pageCount) {
    ModernHead head;
    const std::string gallery = AttributeText(GalleryTitle(project));
    const std::string count = AttributeText(pageCountText(project, pageNumber, pageCount));
    head.title = pageNumber == 1 ? gallery : gallery + " &#8211; " + count;
    // The page's first few pictures say best what it holds.
    head.description = gallery + " &#8211; " + count + ": ";
    const std::size_t named = std::min(pictures.size(), first + 5);
    for (std::size_t k = first; k < named; ++k) {
        head.description += (k > first ? ", " : "") + HtmlEscaped(pictures[k].alt);
    }
    head.pageName = IndexPageFileName(pageNumber);
    head.shareImage = pictures[first].image;
    if (pageNumber > 1) {
        head.links.push_back(R"(<link rel="prev" href=")" + IndexPageFileName(pageNumber - 1) +
                             R"(">)");
    }
    if (pageNumber < pageCount) {
        head.links.push_back(R"(<link rel="next" href=")" + IndexPageFileName(pageNumber + 1) +
                             R"(">)");
    }
    return head;
}

} // namespace

void FormModernIndexPage(const TProject& project, const std::vector<ModernPicture>& pictures,
                         int pageNumber, int pageCount, const PageIdentity& identity,
                         std::vector<std::string>& lines) {
    lines.clear();
    const TableSize table = ShownTableSize(project);
    const std::size_t perPage = static_cast<std::size_t>(table.rows) * table.cols;
    const std::size_t first = static_cast<std::size_t>(pageNumber - 1) * perPage;
    const std::size_t end = std::min(pictures.size(), first + perPage);
    AppendModernHead(project, identity, indexHead(project, pictures, first, pageNumber, pageCount),
                     lines);
    lines.push_back("<body>");
    lines.push_back("<header>");
    lines.push_back(
        "<h1>" +
        ContentText(TrimBlanks(IsBlank(project.TopTitle.str()) ? GalleryTitle(project)
                                                               : project.TopTitle.str())) +
        "</h1>");
    lines.push_back(R"(<p class="count">)" +
                    ContentText(pageCountText(project, pageNumber, pageCount)) + "</p>");
    lines.push_back("</header>");
    lines.push_back("<main>");
    lines.push_back(R"(<ul class="grid">)");
    for (std::size_t k = first; k < end; ++k) {
        lines.push_back(thumbnailCell(project, pictures[k],
                                      k - first < static_cast<std::size_t>(kEagerThumbnails)));
    }
    lines.push_back("</ul>");
    if (pageCount > 1) {
        lines.push_back(navigation(project, pageNumber, pageCount));
    }
    if (project.JumpMenu) {
        lines.push_back(jumpMenu(project, pageNumber, pageCount));
    }
    lines.push_back("</main>");
    lines.push_back(R"(<footer><a href=")" + HtmlEscaped(identity.homePageUrl) + R"(">)" +
                    ContentText(project.BottomTitle.str() + identity.versionText) +
                    "</a></footer>");
    lines.push_back("</body>");
    lines.push_back("</html>");
}

void WriteModernIndexPages(const TProject& project, ProgramState& state,
                           const std::vector<ModernPicture>& pictures,
                           const PageIdentity& identity) {
    if (pictures.empty()) {
        return;
    }
    const TableSize table = ShownTableSize(project);
    RecomputePageCount(state, table.rows, table.cols, pictures.size());
    std::vector<std::string> lines;
    for (int i = 1; i <= state.pageCount; ++i) {
        FormModernIndexPage(project, pictures, i, state.pageCount, identity, lines);
        WriteTextLines(project.TargetDir.str() + IndexPageFileName(i), lines);
    }
}

} // namespace fotoplex
