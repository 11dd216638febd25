#include "gallery/HtmlEscaping.h"

#include "GalleryTestSupport.h"
#include "gallery/IndexPages.h"
#include "gallery/PageText.h"
#include "gallery/UrlEncoding.h"

#include <gtest/gtest.h>

namespace fotoplex {
namespace {

TEST(HtmlEscaping, TheFourMarkupCharactersBecomeReferences) {
    EXPECT_EQ(HtmlEscaped(R"(x" onmouseover="alert(1).jpg)"),
              "x&quot; onmouseover=&quot;alert(1).jpg");
    EXPECT_EQ(HtmlEscaped("<b>&amp;</b>"), "&lt;b&gt;&amp;amp;&lt;/b&gt;")
        << "a name's ampersand is a character, never a reference";
    EXPECT_EQ(HtmlEscaped("it's M\xC3\xBCller.jpg"), "it's M\xC3\xBCller.jpg")
        << "the apostrophe (attributes are double-quoted) and UTF-8 stay";
    EXPECT_EQ(HtmlEscaped("a\nb\tc\x7F"), "a b c ") << "no page may hold control characters";
    EXPECT_EQ(HtmlEscaped(""), "");
}

TEST(HtmlEscaping, ATitleKeepsItsReferencesButCannotCloseItsElement) {
    EXPECT_EQ(AnglesEscaped("Ferien &#8211; </title><script>x()</script>"),
              "Ferien &#8211; &lt;/title&gt;&lt;script&gt;x()&lt;/script&gt;");
    EXPECT_EQ(AnglesEscaped("Tom & Jerry \"1\""), "Tom & Jerry \"1\"");
}

TEST(UrlInPage, AReferenceNeverStartsWithAScheme) {
    EXPECT_EQ(UrlInPage("javascript:alert(1);x_jpg.html"), "./javascript:alert(1);x_jpg.html");
    EXPECT_EQ(UrlInPage("c:x.jpg"), "./c:x.jpg");
    EXPECT_EQ(UrlInPage(":x.jpg"), "./:x.jpg");
    EXPECT_EQ(UrlInPage("thumbs/tn_javascript:alert(1).jpg"), "thumbs/tn_javascript:alert(1).jpg")
        << "a colon after the first folder names no scheme";
    EXPECT_EQ(UrlInPage("img:x/a.jpg"), "./img:x/a.jpg") << "a folder's colon counts too";
}

TEST(UrlInPage, AmpersandAndAnglesAreEncodedAndPlainNamesStay) {
    EXPECT_EQ(UrlInPage("a&b_jpg.html"), "a%26b_jpg.html");
    EXPECT_EQ(UrlInPage("thumbs/tn_<b>.jpg"), "thumbs/tn_%3Cb%3E.jpg");
    EXPECT_EQ(UrlInPage(R"(x" onmouseover="alert(1)_jpg.html)"),
              "x%22%20onmouseover=%22alert(1)_jpg.html");
    EXPECT_EQ(UrlInPage("thumbs/tn_beach-2.jpg"), "thumbs/tn_beach-2.jpg");
    EXPECT_EQ(UrlInPage("img/M\xC3\xBCller 100%.jpg"), "img/M%C3%BCller%20100%25.jpg");
}

TEST(UrlInStylesheet, ABackgroundNameReadsAsNoScheme) {
    EXPECT_EQ(UrlInStylesheet("javascript:x.png"), "./javascript:x.png");
    EXPECT_EQ(UrlInStylesheet("back.png"), "back.png");
}

TEST(HtmlEscaping, TheDocumentTitleIsEscapedTheUserWordsKeepTheirMarkup) {
    testing::TempFolder folder;
    TProject project = testing::projectIn(folder);
    project.DocTitle = "Summer</title><script>x()</script>";
    project.TopTitle = "<i>Summer</i> &amp; more";
    project.NextText = "<b>Next</b>";
    project.Files = testing::numberedFiles(13);
    ProgramState state;
    WriteIndexPages(project, state, testing::testIdentity());
    const auto lines = testing::readLines(folder.dir() + "index.html");
    EXPECT_TRUE(testing::contains(
        lines, "<title>Summer&lt;/title&gt;&lt;script&gt;x()&lt;/script&gt;</title>"));
    EXPECT_TRUE(testing::contains(
        lines, R"(<br><h2 align="center"><i>Summer</i> &amp; more</h2></p><br>)"));
    bool nextWithMarkup = false;
    for (const std::string& line : lines) {
        nextWithMarkup |= line.find("<b>Next</b> [&gt;&gt;]</a>") != std::string::npos;
    }
    EXPECT_TRUE(nextWithMarkup);
}

} // namespace
} // namespace fotoplex
