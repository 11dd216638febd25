#include "gallery/ModernPicturePages.h"

#include "base/FileUtil.h"
#include "gallery/HtmlEscaping.h"
#include "gallery/ModernHead.h"
#include "gallery/ModernPageText.h"
#include "gallery/PageNames.h"
#include "gallery/UrlEncoding.h"
#include "project/TProject.h"

namespace fotoplex {

const char* const kPictureScript =
    "(function(){var d=document;function go(i,r){var a=d.getElementById(i);"
    "if(a&&a.href){if(r)location.replace(a.href);else location.href=a.href;}}"
    "d.addEventListener('keydown',function(e){if(e.altKey||e.ctrlKey||e.metaKey||e.shiftKey)"
    "return;var k=e.key;if(k=='ArrowLeft')go('prev',1);else if(k=='ArrowRight')go('next',1);"
    "else if(k=='Escape'||k=='ArrowUp'){e.preventDefault();go('up',0);}});"
    "var x=null,y=0;d.addEventListener('touchstart',function(e){if(e.touches.length==1)"
    "{x=e.touches[0].clientX;y=e.touches[0].clientY;}else x=null;},{passive:true});"
    "d.addEventListener('touchend',function(e){if(x===null)return;var t=e.changedTouches[0],"
    "dx=t.clientX-x,dy=t.clientY-y;x=null;if(Math.abs(dx)>=50&&Math.abs(dx)>2*Math.abs(dy))"
    "go(dx<0?'next':'prev',1);},{passive:true});})();";

namespace {

using std::to_string;

// A link of the bar, or its word as plain text where there is nowhere to go.
std::string barLink(const std::string& id, const std::string& href, const std::string& rel,
                    const std::string& word) {
    if (href.empty()) {
        return R"(<span class="off">)" + word + "</span>";
    }
    const std::string relation = rel.empty() ? "" : R"( rel=")" + rel + R"(")";
    return R"(<a id=")" + id + R"(" href=")" + href + R"(")" + relation + ">" + word + "</a>";
}

std::string bar(const TProject& project, const std::vector<ModernPicture>& pictures,
                std::size_t i) {
    const ModernPicture& picture = pictures[i];
    const std::string previous = i > 0 ? UrlInPage(pictures[i - 1].pageName) : std::string();
    const std::string next =
        i + 1 < pictures.size() ? UrlInPage(pictures[i + 1].pageName) : std::string();
    const std::string up = IndexPageFileName(picture.indexPage) + "#" + picture.anchor;
    return R"(<nav class="bar">)" +
           barLink("prev", previous, "prev", "&#8249; " + ContentText(project.PreviousText.str())) +
           barLink("up", up, "", ContentText(project.GalleryText.str())) +
           barLink("next", next, "next", ContentText(project.NextText.str()) + " &#8250;") +
           "</nav>";
}

std::string pictureElement(const ModernPicture& picture) {
    std::string img = R"(<img src=")" + picture.image.reference + R"(")";
    if (picture.sharpImage) {
        img += R"( srcset=")" + SourceSet(picture.image, *picture.sharpImage) + R"(")";
    }
    return img + R"( width=")" + to_string(picture.image.width) + R"(" height=")" +
           to_string(picture.image.height) + R"(" alt=")" + HtmlEscaped(picture.alt) +
           R"(" fetchpriority="high" decoding="async">)";
}

ModernHead pictureHead(const TProject& project, const std::vector<ModernPicture>& pictures,
                       std::size_t i) {
    const ModernPicture& picture = pictures[i];
    const std::string gallery = AttributeText(GalleryTitle(project));
    const std::string position = to_string(i + 1) + "/" + to_string(pictures.size());
    ModernHead head;
    head.title = HtmlEscaped(picture.alt) + " &#8211; " + gallery;
    head.description = HtmlEscaped(picture.alt) + " &#8211; " + gallery + " (" + position + ")";
    head.pageName = picture.pageName;
    head.shareImage = picture.image;
    if (i > 0) {
        head.links.push_back(R"(<link rel="prev" href=")" + UrlInPage(pictures[i - 1].pageName) +
                             R"(">)");
    }
    if (i + 1 < pictures.size()) {
        const std::string next = UrlInPage(pictures[i + 1].pageName);
        head.links.push_back(R"(<link rel="next" href=")" + next + R"(">)");
        head.links.push_back(R"(<link rel="prefetch" href=")" + next + R"(">)");
    }
    return head;
}

} // namespace

void FormModernPicturePage(const TProject& project, const std::vector<ModernPicture>& pictures,
                           std::size_t i, const PageIdentity& identity,
                           std::vector<std::string>& lines) {
    lines.clear();
    const ModernPicture& picture = pictures[i];
    AppendModernHead(project, identity, pictureHead(project, pictures, i), lines);
    lines.push_back(R"(<body class="picture">)");
    lines.push_back(bar(project, pictures, i));
    lines.push_back("<main>");
    lines.push_back("<figure>");
    lines.push_back(pictureElement(picture));
    if (picture.caption) {
        lines.push_back("<figcaption>" + HtmlEscaped(*picture.caption) + "</figcaption>");
    }
    lines.push_back("</figure>");
    lines.push_back("</main>");
    lines.push_back(R"(<footer><a href=")" + HtmlEscaped(identity.homePageUrl) + R"(">)" +
                    ContentText(project.BottomTitle.str() + identity.versionText) +
                    "</a></footer>");
    lines.push_back(std::string("<script>") + kPictureScript + "</script>");
    lines.push_back("</body>");
    lines.push_back("</html>");
}

void WriteModernPicturePages(const TProject& project, const std::vector<ModernPicture>& pictures,
                             const PageIdentity& identity) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        FormModernPicturePage(project, pictures, i, identity, lines);
        WriteTextLines(project.TargetDir.str() + pictures[i].pageName, lines);
    }
}

} // namespace fotoplex
