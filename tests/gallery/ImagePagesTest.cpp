#include "gallery/ImagePages.h"

#include "GalleryTestSupport.h"

#include <gtest/gtest.h>

namespace fotoplex {
namespace {

using namespace fotoplex::testing;

void writePages(const TProject& project, const std::vector<std::string>& widths,
                const std::vector<std::string>& heights) {
    WriteImagePages(project, widths, heights, testIdentity());
}

void writePages(const TProject& project) {
    const std::vector<std::string> sizes(project.Files.size(), "10");
    writePages(project, sizes, sizes);
}

// The three link lines of a page: the lines after the first <tr><td align="center">.
std::vector<std::string> linksOf(const std::vector<std::string>& page) {
    const auto row = std::find(page.begin(), page.end(), R"(<tr><td align="center">)");
    if (std::distance(row, page.end()) < 4) {
        return {};
    }
    return {row + 1, row + 4};
}

TEST(ImagePagesTest, EveryLineOfAMiddlePicturesPage) {
    TempFolder tmp;
    TProject project = projectIn(tmp);
    project.Files = {"/pics/a.jpg", "/pics/b.png", "/other/c.jpg"};
    project.DocTitle = "My Trip";
    writePages(project, {"640", "480", "300"}, {"480", "640", "200"});

    const std::vector<std::string> links = {
        R"(<a href="a_jpg.html">Previous</a>&nbsp;)",
        R"(<a href="index.html">Gallery</a>&nbsp;)",
        R"(<a href="c_jpg.html">Next</a>)",
    };
    std::vector<std::string> expected = {
        R"(<html><head><meta http-equiv="Content-Type" content="text/html; charset=iso-8859-1">)",
        R"(<meta name="GENERATOR" content="Fotoplex 9.8.7.6">)",
        R"(<meta name="Keywords" content="quorvane, fotoplex, creator, build, create, thumbnails, image, resize, photo, album">)",
        R"(<meta name="Description" content="Quorvane Fotoplex - Create your own web gallery in seconds.">)",
        R"(<meta name="Robots" content="index, follow">)",
        "<title>My Trip</title>",
        R"(<link rel="stylesheet" type="text/css" href="main.css"></head>)",
        "<body>",
        R"(<table width="100%" height="90%" cellspacing="0" cellpadding="0"><tr><td valign="center">)",
        R"(<table align="center" cellspacing="0" cellpadding="0">)",
        R"(<tr><td align="center">)",
        links[0],
        links[1],
        links[2],
        "</td></tr>",
        R"(<tr><td valign="center">)",
        R"(<table class="btable" align="center" cellspacing="8" cellpadding="0">)",
        "<tr><td>",
        R"(<img src="img/b.png" width="480" height="640"><br>)",
        "</td></tr></table>",
        "</td></tr>",
        R"(<tr><td align="center" valign="center">)",
        links[0],
        links[1],
        links[2],
        "</td></tr><tr>",
        R"(<td align="center"><br><a style="font-size: 11px; color: #777777;" href="http://home.test/" target="_blank">Created With Fotoplex 9.8.7.6</a></td></tr></table></body></html>)",
    };
    EXPECT_EQ(readLines(tmp.file("b_png.html")), expected);
    EXPECT_TRUE(exists(tmp.file("a_jpg.html")));
    EXPECT_TRUE(exists(tmp.file("c_jpg.html")));
}

TEST(ImagePagesTest, TheEndsOfTheListArePlainWords) {
    TempFolder tmp;
    TProject project = projectIn(tmp);
    project.Files = {"/p/a.jpg", "/p/b.jpg", "/p/c.jpg"};
    project.PreviousText = "Zur\xFC"
                           "ck";
    project.NextText = "Weiter";
    project.GalleryText = "Galerie";
    writePages(project);
    EXPECT_EQ(linksOf(readLines(tmp.file("a_jpg.html"))),
              (std::vector<std::string>{"Zur\xFC"
                                        "ck&nbsp;",
                                        R"(<a href="index.html">Galerie</a>&nbsp;)",
                                        R"(<a href="b_jpg.html">Weiter</a>)"}));
    EXPECT_EQ(linksOf(readLines(tmp.file("b_jpg.html")))[0], "<a href=\"a_jpg.html\">Zur\xFC"
                                                             "ck</a>&nbsp;");
    EXPECT_EQ(linksOf(readLines(tmp.file("c_jpg.html")))[2], "Weiter");

    project.Files = {"/p/only.jpg"};
    writePages(project);
    const std::vector<std::string> page = readLines(tmp.file("only_jpg.html"));
    EXPECT_EQ(linksOf(page),
              (std::vector<std::string>{"Zur\xFC"
                                        "ck&nbsp;",
                                        R"(<a href="index.html">Galerie</a>&nbsp;)", "Weiter"}));
    // The lower link row repeats the upper one.
    EXPECT_EQ(std::vector<std::string>(page.end() - 5, page.end() - 2), linksOf(page));
}

TEST(ImagePagesTest, TheGalleryLinkNamesTheIndexPageOfThePicture) {
    TempFolder tmp;
    TProject project = projectIn(tmp);
    project.Files = numberedFiles(30);
    writePages(project);
    const auto galleryOf = [&](int picture) {
        return linksOf(readLines(tmp.file("p" + std::to_string(picture) + "_jpg.html")))[1];
    };
    EXPECT_EQ(galleryOf(1), R"(<a href="index.html">Gallery</a>&nbsp;)");
    EXPECT_EQ(galleryOf(12), R"(<a href="index.html">Gallery</a>&nbsp;)");
    EXPECT_EQ(galleryOf(13), R"(<a href="page2.html">Gallery</a>&nbsp;)");
    EXPECT_EQ(galleryOf(24), R"(<a href="page2.html">Gallery</a>&nbsp;)");
    EXPECT_EQ(galleryOf(25), R"(<a href="page3.html">Gallery</a>&nbsp;)");

    project.TableCols = 1;
    project.TableRows = 1;
    writePages(project);
    EXPECT_EQ(galleryOf(1), R"(<a href="index.html">Gallery</a>&nbsp;)");
    EXPECT_EQ(galleryOf(2), R"(<a href="page2.html">Gallery</a>&nbsp;)");
    EXPECT_EQ(galleryOf(30), R"(<a href="page30.html">Gallery</a>&nbsp;)");
}

TEST(ImagePagesTest, ABlankTitleGivesTwentySixLines) {
    TempFolder tmp;
    TProject project = projectIn(tmp);
    project.Files = {"/p/a.jpg"};
    project.DocTitle = " \t \x01";
    writePages(project);
    const std::vector<std::string> page = readLines(tmp.file("a_jpg.html"));
    EXPECT_EQ(page.size(), 26u);
    EXPECT_EQ(page[5], R"(<link rel="stylesheet" type="text/css" href="main.css"></head>)");
    project.DocTitle = "  Summer ";
    writePages(project);
    EXPECT_EQ(readLines(tmp.file("a_jpg.html"))[5], "<title>  Summer </title>");
}

TEST(ImagePagesTest, AlignmentMovesTheTablesAndTheCreditOnly) {
    TempFolder tmp;
    TProject project = projectIn(tmp);
    project.Files = {"/p/a.jpg"};
    project.Alignment = 1;
    project.CellSpacing = 3;
    project.CellPadding = 5;
    writePages(project);
    std::vector<std::string> page = readLines(tmp.file("a_jpg.html"));
    EXPECT_EQ(page[8], R"(<table align="left" cellspacing="0" cellpadding="0">)");
    EXPECT_EQ(page[9], R"(<tr><td align="center">)");
    EXPECT_EQ(page[15], R"(<table class="btable" align="left" cellspacing="3" cellpadding="5">)");
    EXPECT_EQ(page[20], R"(<tr><td align="center" valign="center">)");
    EXPECT_EQ(page[25].substr(0, 22), R"(<td align="left"><br><)");
    int lefts = 0;
    for (const std::string& line : page) {
        lefts += line.find(R"(align="left")") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(lefts, 3);

    project.Alignment = 9;
    writePages(project);
    page = readLines(tmp.file("a_jpg.html"));
    EXPECT_EQ(page[8], R"(<table align="" cellspacing="0" cellpadding="0">)");
    EXPECT_EQ(page[25].substr(0, 18), R"(<td align=""><br><)");
}

TEST(ImagePagesTest, PageNamesFollowTheFileNames) {
    TempFolder tmp;
    TProject project = projectIn(tmp);
    project.Files = {"/p/Beach.JPG", "/p/beach.png", "/p/my.beach.png", "/p/scan01"};
    writePages(project);
    EXPECT_TRUE(exists(tmp.file("Beach_JPG.html")));
    EXPECT_TRUE(exists(tmp.file("beach_png.html")));
    EXPECT_TRUE(exists(tmp.file("my.beach_png.html")));
    EXPECT_TRUE(exists(tmp.file("scan01.html")));
    EXPECT_EQ(linksOf(readLines(tmp.file("my.beach_png.html")))[2],
              R"(<a href="scan01.html">Next</a>)");
    EXPECT_EQ(readLines(tmp.file("scan01.html"))[17],
              R"(<img src="img/scan01" width="10" height="10"><br>)");
}

TEST(ImagePagesTest, TwoEqualNamesGetAPageEachThatShowsItsOwnPicture) {
    TempFolder tmp;
    TProject project = projectIn(tmp);
    project.Files = {"/a/beach.jpg", "/b/beach.jpg"};
    writePages(project, {"100", "200"}, {"50", "60"});
    const std::vector<std::string> first = readLines(tmp.file("beach_jpg.html"));
    EXPECT_EQ(first[17], R"(<img src="img/beach.jpg" width="100" height="50"><br>)");
    EXPECT_EQ(linksOf(first)[2], R"(<a href="beach-2_jpg.html">Next</a>)");
    const std::vector<std::string> second = readLines(tmp.file("beach-2_jpg.html"));
    EXPECT_EQ(second[17], R"(<img src="img/beach-2.jpg" width="200" height="60"><br>)");
    EXPECT_EQ(linksOf(second)[0], R"(<a href="beach_jpg.html">Previous</a>&nbsp;)");
}

TEST(ImagePagesTest, ThePictureLinkFollowsTheImageFolder) {
    TempFolder tmp;
    TProject project = projectIn(tmp);
    project.Files = {"/p/Beach.JPG"};
    const std::vector<std::pair<std::string, std::string>> forms = {
        {"img", "img/"}, {"img/", "img/"}, {"img\\", "img/"}, {"", ""}, {"web/big/", "web/big/"}};
    for (const auto& [setting, link] : forms) {
        project.ImageFolder = setting;
        writePages(project, {"640"}, {"427"});
        EXPECT_EQ(readLines(tmp.file("Beach_JPG.html"))[17],
                  R"(<img src=")" + link + R"(Beach.JPG" width="640" height="427"><br>)")
            << setting;
    }
}

TEST(ImagePagesTest, MissingSizesAndAnEmptyListDoNotFail) {
    TempFolder tmp;
    TProject project = projectIn(tmp);
    project.Files = {"/p/a.jpg", "/p/b.jpg"};
    writePages(project, {"1"}, {});
    EXPECT_EQ(readLines(tmp.file("a_jpg.html"))[17],
              R"(<img src="img/a.jpg" width="1" height=""><br>)");
    EXPECT_EQ(readLines(tmp.file("b_jpg.html"))[17],
              R"(<img src="img/b.jpg" width="" height=""><br>)");

    TempFolder empty;
    TProject none = projectIn(empty);
    writePages(none);
    EXPECT_TRUE(std::filesystem::is_empty(empty.dir()));
}

TEST(ImagePagesTest, AReadOnlyPageFailsAndKeepsTheEarlierPages) {
    TempFolder tmp;
    TProject project = projectIn(tmp);
    project.Files = {"/p/a.jpg", "/p/b.jpg", "/p/c.jpg"};
    writeBytes(tmp.file("b_jpg.html"), "kept");
    makeReadOnly(tmp.file("b_jpg.html"));
    EXPECT_EQ(errorOf([&] { writePages(project); }),
              "Cannot create file " + tmp.file("b_jpg.html"));
    EXPECT_EQ(readLines(tmp.file("a_jpg.html")).size(), 26u);
    EXPECT_EQ(readBytes(tmp.file("b_jpg.html")), "kept");
    EXPECT_FALSE(exists(tmp.file("c_jpg.html")));
}

} // namespace
} // namespace fotoplex
