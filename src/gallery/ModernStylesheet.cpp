#include "gallery/ModernStylesheet.h"

#include "base/FileUtil.h"
#include "gallery/ModernPageText.h"
#include "gallery/Stylesheet.h"
#include "gallery/UrlEncoding.h"
#include "project/TProject.h"

#include <algorithm>

namespace fotoplex {

namespace {

std::string px(int value) {
    return std::to_string(value) + "px";
}

// The page margins as padding, with room to breathe at the screen's edge.
std::string padding(const TProject& p) {
    const auto side = [](int margin) { return px(8 + std::clamp(margin, 0, 99)); };
    return side(p.MarginTop) + " " + side(p.MarginRight) + " " + side(p.MarginBottom) + " " +
           side(p.MarginLeft);
}

std::string bodyRule(const TProject& p) {
    std::string rule = "body{margin:0 auto;max-width:1600px;padding:" + padding(p) +
                       ";font-family:" + p.GetFontFamily() +
                       ";font-size:" + px(std::max(kMinModernFontSize, p.NavFontSize)) +
                       ";line-height:1.5;color:" + p.TextColor.str() +
                       ";background-color:" + p.BackColor.str();
    if (!p.BackgroundImagePath.empty()) {
        rule += ";background-image:url(" + UrlInStylesheet(BackgroundFileName(p)) + ")";
    }
    return rule + "}";
}

} // namespace

std::vector<std::string> GetModernCSS(const TProject& p) {
    const int thumbWidth = std::clamp(p.ThumbWidth, 20, 600);
    const int thumbHeight = std::clamp(p.ThumbHeight, 20, 600);
    std::vector<std::string> css = {
        "*,*::before,*::after{box-sizing:border-box}",
        "html{-webkit-text-size-adjust:100%;text-size-adjust:100%}",
        bodyRule(p),
        "a{color:" + p.LinkColor.str() + "}",
        "a:visited{color:" + p.VisitedLinkColor.str() + "}",
        "a:hover{color:" + p.HoverColor.str() + "}",
        "a:active{color:" + p.ActiveLinkColor.str() + "}",
        "a:focus-visible{outline:3px solid currentColor;outline-offset:2px}",
        "img{border:0;max-width:100%;height:auto}",
        "header{text-align:center}",
        "h1{font-size:1.5em;line-height:1.25;margin:.5em 0}",
        ".count{margin:0 0 .75em}",
        // At least the thumbnail's width per column, never wider than the screen.
        ".grid{display:grid;grid-template-columns:repeat(auto-fit,minmax(min(" +
            px(thumbWidth + 8) + ",100%),1fr));gap:8px;list-style:none;margin:0;padding:0}",
        ".grid li{display:flex;align-items:center;justify-content:center;min-height:" +
            px(std::min(thumbHeight, 120)) + "}",
        ".grid a{display:block;line-height:0}",
        "nav{display:flex;flex-wrap:wrap;justify-content:center;align-items:center;gap:4px;"
        "margin:12px 0}",
        "nav a,nav span{display:inline-flex;align-items:center;justify-content:center;"
        "min-width:48px;min-height:48px;padding:0 12px}",
        ".jump a[aria-current]{font-weight:bold;text-decoration:none}",
        ".bar{justify-content:space-between;margin:0}",
        "figure{margin:0;text-align:center}",
        // The picture fits the window below the bar.
        ".picture img{width:auto;max-height:calc(100vh - 120px)}",
        "@supports (height:100svh){.picture img{max-height:calc(100svh - 120px)}}",
        "figcaption{margin:8px 0}",
        "footer{text-align:center;font-size:.875em;margin:16px 0 0}",
        "footer a{color:#595959}",
        "@media (prefers-reduced-motion:no-preference){html{scroll-behavior:smooth}}",
    };
    if (OffersDarkScheme(p)) {
        css.push_back("@media (prefers-color-scheme:dark){body{color:#E8E8E8;"
                      "background-color:#121212}a{color:#9DB1FF}a:visited{color:#C3A6FF}"
                      "a:hover,a:active{color:#C7D3FF}footer a{color:#ABABAB}}");
    }
    return css;
}

void MakeModernCSS(const TProject& project) {
    WriteTextLines(project.TargetDir.str() + "main.css", GetModernCSS(project));
}

} // namespace fotoplex
