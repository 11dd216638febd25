#include "GalleryTestSupport.h"
#include "gallery/ImagePages.h"
#include "gallery/IndexPages.h"

#include <gtest/gtest.h>

namespace fotoplex {
namespace {

using namespace fotoplex::testing;

// "Köln € 日" in UTF-8, as a Linux project holds it.
const std::string kTitle = "K\xC3\xB6ln \xE2\x82\xAC \xE6\x97\xA5";

std::string lineWith(const std::vector<std::string>& lines, const std::string& part) {
    for (const std::string& line : lines) {
        if (line.find(part) != std::string::npos) {
            return line;
        }
    }
    return "(no line with " + part + ")";
}

std::vector<std::string> indexPage(TProject& project, const TempFolder& tmp) {
    ProgramState state;
    state.thumbSizes.widths.assign(project.Files.size(), "90");
    state.thumbSizes.heights.assign(project.Files.size(), "60");
    WriteIndexPages(project, state, testIdentity());
    return readLines(tmp.file("index.html"));
}

TEST(PageEncoding, TextsAreWrittenInTheDeclaredCharset) {
    struct Case {
        int encoding;
        std::string charset;
        std::string title;
    };
    const Case cases[] = {
        {17, "utf-8", kTitle},
        {18, "iso-8859-1", "K\xF6ln &#8364; &#26085;"},
        {3, "iso-8859-5", "K&#246;ln &#8364; &#26085;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.charset);
        TempFolder tmp;
        TProject project = projectIn(tmp);
        project.Encoding = c.encoding;
        project.Files = {"/pics/a.jpg"};
        project.DocTitle = kTitle;
        project.TopTitle = " " + kTitle + " ";
        project.PageText = kTitle;
        project.BottomTitle = kTitle + " ";
        const std::vector<std::string> index = indexPage(project, tmp);
        EXPECT_EQ(index[0],
                  R"(<html><head><meta http-equiv="Content-Type" content="text/html; charset=)" +
                      c.charset + R"(">)");
        EXPECT_EQ(lineWith(index, "<title>"), "<title>" + c.title + "</title>");
        EXPECT_EQ(lineWith(index, "<h2"), R"(<br><h2 align="center">)" + c.title + "</h2></p><br>");
        EXPECT_NE(lineWith(index, "<b>").find("<b>" + c.title + " 1 Of 1</b>"), std::string::npos);
        EXPECT_NE(lineWith(index, "_blank").find(">" + c.title + " 9.8.7.6</a>"),
                  std::string::npos);

        WriteImagePages(project, {"10"}, {"10"}, testIdentity());
        const std::vector<std::string> page = readLines(tmp.file("a_jpg.html"));
        EXPECT_EQ(lineWith(page, "<title>"), "<title>" + c.title + "</title>");
    }
}

TEST(PageEncoding, AWindowsProjectTextIsReadAsWindows1252) {
    TempFolder tmp;
    TProject project = projectIn(tmp);
    project.Encoding = 17;
    project.Files = {"/pics/a.jpg", "/pics/b.jpg"};
    project.NextText = "N\xE4"
                       "chste \x80"; // "Nächste €" saved on Windows
    const std::vector<std::string> index = indexPage(project, tmp);
    WriteImagePages(project, {"10", "10"}, {"10", "10"}, testIdentity());
    EXPECT_EQ(lineWith(readLines(tmp.file("a_jpg.html")), "b_jpg.html"),
              "<a href=\"b_jpg.html\">N\xC3\xA4"
              "chste \xE2\x82\xAC</a>");
}

TEST(PageEncoding, FileReferencesArePercentEncodedAndNamesShowInTheCharset) {
    TempFolder tmp;
    TProject project = projectIn(tmp);
    project.Encoding = 18;
    project.Files = {"/pics/M\xC3\xBCller 100%.jpg", "/pics/land scape#1.jpg", "/pics/why?.jpg",
                     "/pics/plain-name_2.jpg"};
    const std::vector<std::string> index = indexPage(project, tmp);
    EXPECT_NE(lineWith(index, "alt=\"M")
                  .find(R"(<a href="M%C3%BCller%20100%25_jpg.html" target="_self"><img )"
                        R"(src="thumbs/tn_M%C3%BCller%20100%25.jpg" width="90" height="60" )"
                        "border=\"0\" align=\"absmiddle\" alt=\"M\xFCller 100%.jpg\">"),
              std::string::npos);
    EXPECT_NE(lineWith(index, "alt=\"land").find(R"(href="land%20scape%231_jpg.html")"),
              std::string::npos);
    EXPECT_NE(lineWith(index, "alt=\"land").find(R"(src="thumbs/tn_land%20scape%231.jpg")"),
              std::string::npos);
    EXPECT_NE(lineWith(index, "alt=\"why").find(R"(href="why%3F_jpg.html")"), std::string::npos);
    EXPECT_NE(lineWith(index, "alt=\"plain")
                  .find(R"(<a href="plain-name_2_jpg.html" target="_self"><img )"
                        R"(src="thumbs/tn_plain-name_2.jpg" )"),
              std::string::npos)
        << "a plain name stays as it is";

    WriteImagePages(project, std::vector<std::string>(4, "10"), std::vector<std::string>(4, "10"),
                    testIdentity());
    // The pages keep the names of their files; only the references are encoded.
    const std::vector<std::string> second = readLines(tmp.file("land scape#1_jpg.html"));
    EXPECT_EQ(lineWith(second, "<img"),
              R"(<img src="img/land%20scape%231.jpg" width="10" height="10"><br>)");
    EXPECT_EQ(lineWith(second, "Previous"),
              R"(<a href="M%C3%BCller%20100%25_jpg.html">Previous</a>&nbsp;)");
    EXPECT_EQ(lineWith(second, "Next"), R"(<a href="why%3F_jpg.html">Next</a>)");
}

} // namespace
} // namespace fotoplex
