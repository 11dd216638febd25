#include "gallery/IndexPages.h"

#include "GalleryTestSupport.h"

#include <gtest/gtest.h>

namespace fotoplex {
namespace {

using namespace fotoplex::testing;

const std::vector<std::string> kHead = {
    R"(<html><head><meta http-equiv="Content-Type" content="text/html; charset=iso-8859-1">)",
    R"(<meta name="GENERATOR" content="Fotoplex 9.8.7.6">)",
    R"(<meta name="Keywords" content="quorvane, fotoplex, creator, build, create, thumbnails, image, resize, photo, album">)",
    R"(<meta name="Description" content="Quorvane Fotoplex - Create your own web gallery in seconds.">)",
    R"(<meta name="Robots" content="index, follow">)",
};

const std::vector<std::string> kScript = {
    R"(<script language="JavaScript" type="text/JavaScript">)",
    "<!--",
    "function jmpMenu(targ,selObj,restore){",
    R"(eval(targ+".location='"+selObj.options[selObj.selectedIndex].value+"'");)",
    "if (restore) selObj.selectedIndex=0; }",
    "//-->",
    "</script>",
};

const std::vector<std::string> kTail = {
    "</table></td></tr></table>",
    R"(<br><p align="center"><a style="font-size: 11px; color: #777777;" href="http://home.test/" target="_blank">Created With Fotoplex 9.8.7.6</a></p><br>)",
    "</td></tr></table>",
    "</body></html>",
};

std::vector<std::string> joined(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

void writePages(const TProject& project, ProgramState& state) {
    WriteIndexPages(project, state, testIdentity());
}

// The default 4 x 3 gallery of count files with a thumbnail size for each.
TProject defaultGallery(const TempFolder& tmp, int count, ProgramState& state) {
    TProject project = projectIn(tmp);
    project.Files = numberedFiles(count);
    state.thumbSizes.widths.assign(count, "120");
    state.thumbSizes.heights.assign(count, "90");
    return project;
}

std::string navigationOf(const std::vector<std::string>& page) {
    return page.size() >= 5 ? page[page.size() - 5] : "";
}

TEST(IndexPagesTest, EveryLineOfTwoPages) {
    TempFolder tmp;
    TProject project = projectIn(tmp);
    project.Files = {"/pics/a.jpg", "/pics/b.png", "/other/c.jpg"};
    project.TableCols = 2;
    project.TableRows = 1;
    project.ThumbWidth = 100;
    project.ThumbHeight = 80;
    project.JumpMenu = true;
    project.DocTitle = "My Trip";
    project.TopTitle = "Summer";
    writeBytes(tmp.file("img/a.jpg"), std::string(3000, 'a'));
    writeBytes(tmp.file("img/c.jpg"), std::string(1023, 'c'));
    writeBytes(tmp.file("thumbs/tn_a.jpg"), std::string(99999, 't'));
    ProgramState state;
    state.thumbSizes.widths = {"100", "90", "60"};
    state.thumbSizes.heights = {"75", "80", "45"};

    writePages(project, state);

    const std::vector<std::string> top = {
        "<title>My Trip</title>",
    };
    const std::vector<std::string> frame = {
        R"(<link rel="stylesheet" type="text/css" href="main.css"></head><body>)",
        R"(<table width="100%" height="100%" border="0" cellspacing="0" cellpadding="0">)",
        R"(<tr><td valign="center">)",
        R"(<br><h2 align="center">Summer</h2></p><br>)",
        R"(<table class="btable" align="center" cellspacing="4" cellpadding="0"><tr><td>)",
        R"(<table width="100%" align="center" cellspacing="8" cellpadding="0">)",
    };
    const std::vector<std::string> page1 = {
        R"(<tr><td bgcolor="#CCCCCC" colspan="2" align="center"><font color="#000000"><b>Page 1 Of 2</b></font></td></tr>)",
        R"(<tr align="center">)",
        R"(<td width="100" height="80" valign="center"><a href="a_jpg.html" target="_self"><img src="thumbs/tn_a.jpg" width="100" height="75" border="0" align="absmiddle" alt="a.jpg"></a></td>)",
        R"(<td width="100" height="80" valign="center"><a href="b_png.html" target="_self"><img src="thumbs/tn_b.jpg" width="90" height="80" border="0" align="absmiddle" alt="b.png"></a></td>)",
        "</tr><tr>",
        R"(<td bgcolor="#CCCCCC" align="center">2 KB</td>)",
        R"(<td bgcolor="#CCCCCC" align="center">0 KB</td>)",
        "</tr>",
        R"(<tr><td colspan="2" align="center">[&lt;&lt;] Previous&nbsp;<a href="page2.html">Next [&gt;&gt;]</a></td></tr>)",
        R"x(<tr><td colspan="2" align="center">Jump: <select name="select" onChange="jmpMenu('parent',this,0)">)x",
        R"(<option value="index.html")",
        " selected",
        ">Page 1</option>",
        R"(<option value="page2.html">Page 2</option>)",
        "</select></td></tr>",
    };
    const std::vector<std::string> page2 = {
        R"(<tr><td bgcolor="#CCCCCC" colspan="2" align="center"><font color="#000000"><b>Page 2 Of 2</b></font></td></tr>)",
        R"(<tr align="center">)",
        R"(<td width="100" height="80" valign="center"><a href="c_jpg.html" target="_self"><img src="thumbs/tn_c.jpg" width="60" height="45" border="0" align="absmiddle" alt="c.jpg"></a></td>)",
        R"(<td width="100" height="80">&nbsp;</td>)",
        "</tr><tr>",
        R"(<td bgcolor="#CCCCCC" align="center">0 KB</td>)",
        "<td>&nbsp;</td>",
        "</tr>",
        R"(<tr><td colspan="2" align="center"><a href="index.html">[&lt;&lt;] Previous</a>&nbsp;Next [&gt;&gt;]</td></tr>)",
        R"x(<tr><td colspan="2" align="center">Jump: <select name="select" onChange="jmpMenu('parent',this,0)">)x",
        R"(<option value="index.html")",
        ">Page 1</option>",
        R"(<option value="page2.html" selected>Page 2</option>)",
        "</select></td></tr>",
    };
    EXPECT_EQ(readLines(tmp.file("index.html")),
              joined({kHead, top, kScript, frame, page1, kTail}));
    EXPECT_EQ(readLines(tmp.file("page2.html")),
              joined({kHead, top, kScript, frame, page2, kTail}));
    EXPECT_FALSE(exists(tmp.file("page1.html")));
    EXPECT_FALSE(exists(tmp.file("page3.html")));
    EXPECT_EQ(state.pageCount, 2);
    EXPECT_EQ(state.pageNames,
              (std::vector<std::string>{"a_jpg.html", "b_png.html", "c_jpg.html"}));
}

TEST(IndexPagesTest, LineCountFollowsTheTableAndTheOptions) {
    const std::vector<std::string> names(400, "x_jpg.html");
    SizeLists sizes;
    sizes.widths.assign(400, "1");
    sizes.heights.assign(400, "1");
    TProject project;
    project.TargetDir = "/g/";
    std::vector<std::string> lines;
    for (int rows : {1, 2, 3, 7}) {
        for (int cols : {1, 4, 9}) {
            for (int count : {1, 5, 12, 13, 25, 64}) {
                for (int options = 0; options < 8; ++options) {
                    const bool title = options & 1;
                    const bool heading = options & 2;
                    const bool jump = options & 4;
                    project.Files = numberedFiles(count);
                    project.DocTitle = title ? "T" : " \t";
                    project.TopTitle = heading ? "H" : "";
                    project.JumpMenu = jump;
                    const int cells = rows * cols;
                    const int pages = (count + cells - 1) / cells;
                    const IndexPageSet set{{rows, cols}, static_cast<std::uint16_t>(pages),
                                           "center",     names,
                                           sizes,        testIdentity()};
                    for (int page = 1; page <= pages; ++page) {
                        FormIndexPage(project, set, page, lines);
                        const std::size_t expected = 22 + (title ? 1 : 0) + (heading ? 1 : 0) +
                                                     rows * (2 * cols + 3) + (pages > 1 ? 1 : 0) +
                                                     (jump ? pages + 3 + (page == 1 ? 1 : 0) : 0);
                        ASSERT_EQ(lines.size(), expected)
                            << rows << "x" << cols << " files " << count << " options " << options
                            << " page " << page;
                    }
                }
            }
        }
    }
}

TEST(IndexPagesTest, TwelveFilesFillOnePage) {
    TempFolder tmp;
    ProgramState state;
    const TProject project = defaultGallery(tmp, 12, state);
    writePages(project, state);
    const std::vector<std::string> page = readLines(tmp.file("index.html"));
    EXPECT_TRUE(contains(
        page,
        R"(<tr><td bgcolor="#CCCCCC" colspan="4" align="center"><font color="#000000"><b>Page 1 Of 1</b></font></td></tr>)"));
    EXPECT_EQ(page.size(), 22u + 3 * (2 * 4 + 3));
    EXPECT_EQ(countOf(page, "<td>&nbsp;</td>"), 0);
    EXPECT_EQ(page[page.size() - 5], "</tr>");
    EXPECT_FALSE(exists(tmp.file("page2.html")));
}

TEST(IndexPagesTest, ThirteenFilesSpillOntoASecondPage) {
    TempFolder tmp;
    ProgramState state;
    const TProject project = defaultGallery(tmp, 13, state);
    writePages(project, state);
    const std::vector<std::string> first = readLines(tmp.file("index.html"));
    const std::vector<std::string> second = readLines(tmp.file("page2.html"));
    EXPECT_EQ(
        navigationOf(first),
        R"(<tr><td colspan="4" align="center">[&lt;&lt;] Previous&nbsp;<a href="page2.html">Next [&gt;&gt;]</a></td></tr>)");
    EXPECT_EQ(
        navigationOf(second),
        R"(<tr><td colspan="4" align="center"><a href="index.html">[&lt;&lt;] Previous</a>&nbsp;Next [&gt;&gt;]</td></tr>)");
    EXPECT_EQ(
        second[19],
        R"(<td width="120" height="120" valign="center"><a href="p13_jpg.html" target="_self"><img src="thumbs/tn_p13.jpg" width="120" height="90" border="0" align="absmiddle" alt="p13.jpg"></a></td>)");
    EXPECT_EQ(countOf(second, R"(<td width="120" height="120">&nbsp;</td>)"), 11);
    EXPECT_EQ(countOf(second, "<td>&nbsp;</td>"), 11);
    EXPECT_EQ(countOf(first, "<td>&nbsp;</td>"), 0);
    // Each empty thumbnail cell has its empty size cell in the row below.
    EXPECT_EQ(second[24], R"(<td bgcolor="#CCCCCC" align="center">0 KB</td>)");
    EXPECT_EQ(second[25], "<td>&nbsp;</td>");
}

TEST(IndexPagesTest, TwentyFiveFilesLinkThreePages) {
    TempFolder tmp;
    ProgramState state;
    const TProject project = defaultGallery(tmp, 25, state);
    writePages(project, state);
    EXPECT_EQ(
        navigationOf(readLines(tmp.file("page2.html"))),
        R"(<tr><td colspan="4" align="center"><a href="index.html">[&lt;&lt;] Previous</a>&nbsp;<a href="page3.html">Next [&gt;&gt;]</a></td></tr>)");
    EXPECT_EQ(
        navigationOf(readLines(tmp.file("page3.html"))),
        R"(<tr><td colspan="4" align="center"><a href="page2.html">[&lt;&lt;] Previous</a>&nbsp;Next [&gt;&gt;]</td></tr>)");
    EXPECT_TRUE(contains(
        readLines(tmp.file("page3.html")),
        R"(<tr><td bgcolor="#CCCCCC" colspan="4" align="center"><font color="#000000"><b>Page 3 Of 3</b></font></td></tr>)"));
}

TEST(IndexPagesTest, MiddlePagesLinkBothNeighbours) {
    TempFolder tmp;
    ProgramState state;
    TProject project = defaultGallery(tmp, 5, state);
    project.TableCols = 1;
    project.TableRows = 1;
    project.PreviousText = "Back";
    project.NextText = "On";
    writePages(project, state);
    EXPECT_EQ(
        navigationOf(readLines(tmp.file("page3.html"))),
        R"(<tr><td colspan="1" align="center"><a href="page2.html">[&lt;&lt;] Back</a>&nbsp;<a href="page4.html">On [&gt;&gt;]</a></td></tr>)");
    EXPECT_EQ(
        navigationOf(readLines(tmp.file("page5.html"))),
        R"(<tr><td colspan="1" align="center"><a href="page4.html">[&lt;&lt;] Back</a>&nbsp;On [&gt;&gt;]</td></tr>)");
}

std::vector<std::string> jumpMenuOf(const std::vector<std::string>& page) {
    const auto start = std::find_if(page.begin(), page.end(), [](const std::string& line) {
        return line.find("<select") != std::string::npos;
    });
    const auto end = std::find(start, page.end(), "</select></td></tr>");
    return end == page.end() ? std::vector<std::string>{}
                             : std::vector<std::string>(start, end + 1);
}

TEST(IndexPagesTest, TheJumpMenuMarksTheCurrentPage) {
    TempFolder tmp;
    ProgramState state;
    TProject project = defaultGallery(tmp, 25, state);
    project.JumpMenu = true;
    project.JumpToText = "Go to";
    project.PageText = "Seite";
    writePages(project, state);
    const std::string select =
        R"x(<tr><td colspan="4" align="center">Go to: <select name="select" onChange="jmpMenu('parent',this,0)">)x";
    EXPECT_EQ(jumpMenuOf(readLines(tmp.file("index.html"))),
              (std::vector<std::string>{
                  select, R"(<option value="index.html")", " selected", ">Seite 1</option>",
                  R"(<option value="page2.html">Seite 2</option>)",
                  R"(<option value="page3.html">Seite 3</option>)", "</select></td></tr>"}));
    EXPECT_EQ(jumpMenuOf(readLines(tmp.file("page2.html"))),
              (std::vector<std::string>{
                  select, R"(<option value="index.html")", ">Seite 1</option>",
                  R"(<option value="page2.html" selected>Seite 2</option>)",
                  R"(<option value="page3.html">Seite 3</option>)", "</select></td></tr>"}));
    EXPECT_EQ(jumpMenuOf(readLines(tmp.file("page3.html")))[4],
              R"(<option value="page3.html" selected>Seite 3</option>)");
}

TEST(IndexPagesTest, ASinglePageStillWritesTheJumpMenu) {
    TempFolder tmp;
    ProgramState state;
    TProject project = defaultGallery(tmp, 3, state);
    project.JumpMenu = true;
    writePages(project, state);
    const std::vector<std::string> page = readLines(tmp.file("index.html"));
    EXPECT_EQ(
        jumpMenuOf(page),
        (std::vector<std::string>{
            R"x(<tr><td colspan="4" align="center">Jump: <select name="select" onChange="jmpMenu('parent',this,0)">)x",
            R"(<option value="index.html")", " selected", ">Page 1</option>",
            "</select></td></tr>"}));
    // No navigation row: the row before the menu closes the last size row.
    EXPECT_EQ(page[page.size() - 10], "</tr>");
}

TEST(IndexPagesTest, TitleAndHeadingRules) {
    TempFolder tmp;
    ProgramState state;
    TProject project = defaultGallery(tmp, 1, state);
    project.DocTitle = "  \t ";
    project.TopTitle = "   ";
    writePages(project, state);
    std::vector<std::string> page = readLines(tmp.file("index.html"));
    EXPECT_EQ(page[5], kScript[0]);
    EXPECT_EQ(page[15],
              R"(<table class="btable" align="center" cellspacing="4" cellpadding="0"><tr><td>)");

    project.DocTitle = " Summer ";
    project.TopTitle = " Summer ";
    project.TopTitleSize = 5;
    writePages(project, state);
    page = readLines(tmp.file("index.html"));
    EXPECT_EQ(page[5], "<title> Summer </title>");
    EXPECT_EQ(page[16], R"(<br><h6 align="center">Summer</h6></p><br>)");

    project.TopTitleSize = 0;
    project.Alignment = 2;
    project.TopTitle = "<b>&Fun</b>";
    writePages(project, state);
    EXPECT_EQ(readLines(tmp.file("index.html"))[16],
              R"(<br><h1 align="right"><b>&Fun</b></h1></p><br>)");
}

TEST(IndexPagesTest, TheFrameHasOneOfThreeWidths) {
    TempFolder tmp;
    ProgramState state;
    TProject project = defaultGallery(tmp, 1, state);
    project.TableAutoWidth = false;
    project.TableWidthInPixels = true;
    project.TableWidthPx = 600;
    project.TableWidthPer = 70;
    project.Alignment = 1;
    writePages(project, state);
    EXPECT_EQ(
        readLines(tmp.file("index.html"))[15],
        R"(<table width="600" class="btable" align="left" cellspacing="4" cellpadding="0"><tr><td>)");
    project.TableWidthInPixels = false;
    writePages(project, state);
    const std::vector<std::string> page = readLines(tmp.file("index.html"));
    EXPECT_EQ(
        page[15],
        R"(<table width="70%" class="btable" align="left" cellspacing="4" cellpadding="0"><tr><td>)");
    // The thumbnail table stays centred; the credit follows the alignment.
    EXPECT_EQ(page[16], R"(<table width="100%" align="center" cellspacing="8" cellpadding="0">)");
    EXPECT_EQ(page[page.size() - 3].substr(0, 22), R"(<br><p align="left"><a)");
}

TEST(IndexPagesTest, AlignmentOutOfRangeKeepsThePreviousText) {
    TempFolder tmp;
    ProgramState state;
    TProject project = defaultGallery(tmp, 1, state);
    project.Alignment = 7;
    writePages(project, state);
    EXPECT_EQ(readLines(tmp.file("index.html"))[15],
              R"(<table class="btable" align="" cellspacing="4" cellpadding="0"><tr><td>)");
    project.Alignment = 2;
    writePages(project, state);
    project.Alignment = -1;
    writePages(project, state);
    EXPECT_EQ(readLines(tmp.file("index.html"))[15],
              R"(<table class="btable" align="right" cellspacing="4" cellpadding="0"><tr><td>)");
}

TEST(IndexPagesTest, LinksTargetText) {
    EXPECT_EQ(LinksTargetText(0), "_blank");
    EXPECT_EQ(LinksTargetText(1), "_self");
    EXPECT_EQ(LinksTargetText(2), "_top");
    EXPECT_EQ(LinksTargetText(3), "_parent");
    EXPECT_EQ(LinksTargetText(4), "_self");
    EXPECT_EQ(LinksTargetText(-1), "_self");
}

TEST(IndexPagesTest, CellsNameTheirPictureInEveryFolderForm) {
    TempFolder tmp;
    ProgramState state;
    TProject project = defaultGallery(tmp, 0, state);
    project.Files = {"/pics/Beach.JPG", "/p/my.beach.png", "/p/scan01"};
    state.thumbSizes.widths = {"1", "2", "3"};
    state.thumbSizes.heights = {"4", "5", "6"};
    project.LinksTarget = 0;
    const std::vector<std::pair<std::string, std::string>> forms = {{"thumbs", "thumbs/"},
                                                                    {"thumbs/", "thumbs/"},
                                                                    {"thumbs\\", "thumbs/"},
                                                                    {"", ""},
                                                                    {"a/b/c/", "a/b/c/"}};
    for (const auto& [setting, link] : forms) {
        project.ThumbFolder = setting;
        writePages(project, state);
        const std::vector<std::string> page = readLines(tmp.file("index.html"));
        EXPECT_EQ(
            page[19],
            R"(<td width="120" height="120" valign="center"><a href="Beach_JPG.html" target="_blank"><img src=")" +
                link +
                R"(tn_Beach.jpg" width="1" height="4" border="0" align="absmiddle" alt="Beach.JPG"></a></td>)")
            << setting;
        EXPECT_EQ(
            page[20],
            R"(<td width="120" height="120" valign="center"><a href="my.beach_png.html" target="_blank"><img src=")" +
                link +
                R"(tn_my.beach.jpg" width="2" height="5" border="0" align="absmiddle" alt="my.beach.png"></a></td>)")
            << setting;
        EXPECT_EQ(
            page[21],
            R"(<td width="120" height="120" valign="center"><a href="scan01.html" target="_blank"><img src=")" +
                link +
                R"(tn_scan01.jpg" width="3" height="6" border="0" align="absmiddle" alt="scan01"></a></td>)")
            << setting;
    }
}

TEST(IndexPagesTest, SizeCellsShowTheImageInWholeKilobytes) {
    TempFolder tmp;
    ProgramState state;
    TProject project = defaultGallery(tmp, 4, state);
    project.ImageFolder = "big\\";
    writeBytes(tmp.file("big/p1.jpg"), std::string(1024, 'x'));
    writeBytes(tmp.file("big/p2.jpg"), std::string(2047, 'x'));
    writeBytes(tmp.file("big/p3.jpg"), std::string(204800, 'x'));
    writeBytes(tmp.file("thumbs/tn_p4.jpg"), std::string(5000, 't'));
    writeBytes(tmp.file("p4.jpg"), std::string(5000, 's'));
    writePages(project, state);
    const std::vector<std::string> page = readLines(tmp.file("index.html"));
    const std::string cell = R"(<td bgcolor="#CCCCCC" align="center">)";
    EXPECT_EQ(page[24], cell + "1 KB</td>");
    EXPECT_EQ(page[25], cell + "1 KB</td>");
    EXPECT_EQ(page[26], cell + "200 KB</td>");
    EXPECT_EQ(page[27], cell + "0 KB</td>");
}

TEST(IndexPagesTest, AHundredSingleCellPages) {
    TempFolder tmp;
    ProgramState state;
    TProject project = defaultGallery(tmp, 100, state);
    project.TableCols = 1;
    project.TableRows = 1;
    writePages(project, state);
    EXPECT_EQ(state.pageCount, 100);
    EXPECT_TRUE(exists(tmp.file("index.html")));
    EXPECT_FALSE(exists(tmp.file("page1.html")));
    for (int i = 2; i <= 100; ++i) {
        ASSERT_TRUE(exists(tmp.file("page" + std::to_string(i) + ".html"))) << i;
    }
    EXPECT_FALSE(exists(tmp.file("page101.html")));
    EXPECT_EQ(
        readLines(tmp.file("page100.html"))[kHead.size() + 14],
        R"(<td width="120" height="120" valign="center"><a href="p100_jpg.html" target="_self"><img src="thumbs/tn_p100.jpg" width="120" height="90" border="0" align="absmiddle" alt="p100.jpg"></a></td>)");
}

TEST(IndexPagesTest, AnEmptyListWritesNoPage) {
    TempFolder tmp;
    ProgramState state;
    state.pageCount = 3;
    const TProject project = defaultGallery(tmp, 0, state);
    writePages(project, state);
    EXPECT_FALSE(exists(tmp.file("index.html")));
    EXPECT_EQ(state.pageCount, 3);
}

TEST(IndexPagesTest, MissingThumbnailSizesLeaveTheAttributesEmpty) {
    TempFolder tmp;
    ProgramState state;
    TProject project = defaultGallery(tmp, 2, state);
    state.thumbSizes.clear();
    writePages(project, state);
    EXPECT_EQ(
        readLines(tmp.file("index.html"))[20],
        R"(<td width="120" height="120" valign="center"><a href="p2_jpg.html" target="_self"><img src="thumbs/tn_p2.jpg" width="" height="" border="0" align="absmiddle" alt="p2.jpg"></a></td>)");
}

TEST(IndexPagesTest, AReadOnlyPageStopsTheRunAndKeepsTheEarlierPages) {
    TempFolder tmp;
    ProgramState state;
    const TProject project = defaultGallery(tmp, 30, state);
    writeBytes(tmp.file("page2.html"), "mine");
    makeReadOnly(tmp.file("page2.html"));
    EXPECT_EQ(errorOf([&] { writePages(project, state); }),
              "Cannot create file " + tmp.file("page2.html"));
    EXPECT_EQ(readLines(tmp.file("index.html")).back(), "</body></html>");
    EXPECT_EQ(readBytes(tmp.file("page2.html")), "mine");
    EXPECT_FALSE(exists(tmp.file("page3.html")));
}

TEST(PageCountTest, CountsPagesAndShowsTheText) {
    ProgramState state;
    EXPECT_EQ(RecomputePageCount(state, 3, 4, 12), "Items: 12   Pages: 1");
    EXPECT_EQ(state.pageCount, 1);
    EXPECT_EQ(RecomputePageCount(state, 3, 4, 13), "Items: 13   Pages: 2");
    EXPECT_EQ(state.pageCount, 2);
    EXPECT_EQ(RecomputePageCount(state, 3, 4, 25), "Items: 25   Pages: 3");
    EXPECT_EQ(RecomputePageCount(state, 1, 1, 100), "Items: 100   Pages: 100");
    EXPECT_EQ(RecomputePageCount(state, 99, 99, 1), "Items: 1   Pages: 1");
    EXPECT_EQ(state.pageCount, 1);
}

TEST(PageCountTest, AZeroProductIsAnErrorAndKeepsTheCount) {
    ProgramState state;
    state.pageCount = 4;
    EXPECT_EQ(RecomputePageCount(state, 3, 0, 20), "Error: All values MUST be positive");
    EXPECT_EQ(RecomputePageCount(state, 0, 4, 20), "Error: All values MUST be positive");
    // The product is a 16-bit number: 256 x 256 wraps to 0.
    EXPECT_EQ(RecomputePageCount(state, 256, 256, 20), "Error: All values MUST be positive");
    EXPECT_EQ(state.pageCount, 4);
    EXPECT_EQ(RecomputePageCount(state, 3, 4, 0), std::nullopt);
    EXPECT_EQ(state.pageCount, 4);
}

} // namespace
} // namespace fotoplex
