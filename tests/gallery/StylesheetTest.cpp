#include "gallery/Stylesheet.h"

#include "GalleryTestSupport.h"

#include <gtest/gtest.h>

namespace fotoplex {
namespace {

using namespace fotoplex::testing;

TEST(StylesheetTest, DefaultSettingsGiveTheEightRules) {
    TempFolder tmp;
    const TProject project = projectIn(tmp);
    MakeCSS(project);
    const std::vector<std::string> expected = {
        "a:link { font-family: Arial, Helvetica, sans-serif; font-size: 12px; color: #3333FF; "
        "text-decoration: none; }",
        "a:active { font-family: Arial, Helvetica, sans-serif; font-size: 12px; color: #003399; "
        "text-decoration: none; }",
        "a:visited { font-family: Arial, Helvetica, sans-serif; font-size: 12px; color: #003399; "
        "text-decoration: none; }",
        "a:hover { font-family: Arial, Helvetica, sans-serif; font-size: 12px; color: #3333FF; "
        "text-decoration: underline; }",
        "img { border: 0px; }",
        "body { font-family: Arial, Helvetica, sans-serif; font-size: 12px; color: #000000; "
        "background-color: #FFFFFF; margin-left: 0px; margin-top: 0px; margin-bottom: 0px; "
        "margin-right: 0px; }",
        "td { font-family: Arial, Helvetica, sans-serif; font-size: 12px; color: #000000; }",
        ".btable { border: 1px solid #000000; }",
    };
    EXPECT_EQ(readLines(tmp.file("main.css")), expected);
    EXPECT_EQ(GetCSS(project), expected);
}

TEST(StylesheetTest, EverySettingGoesIntoItsPlaceUnescaped) {
    TProject project;
    project.FontFamily = 1;
    project.NavFontSize = 72;
    project.LinkColor = "#111111";
    project.ActiveLinkColor = "#222222";
    project.VisitedLinkColor = "#333333";
    project.HoverColor = "#444444";
    project.TextColor = "<red>";
    project.BackColor = "#ABCDEF";
    project.MarginLeft = 1;
    project.MarginRight = 2;
    project.MarginTop = 3;
    project.MarginBottom = 4;
    project.TableBorder = 0;
    project.BorderColor = "#00FF00";
    const std::string font = "font-family: \"Courier New\", Courier, monospace; font-size: 72px; ";
    const std::vector<std::string> expected = {
        "a:link { " + font + "color: #111111; text-decoration: none; }",
        "a:active { " + font + "color: #222222; text-decoration: none; }",
        "a:visited { " + font + "color: #333333; text-decoration: none; }",
        "a:hover { " + font + "color: #444444; text-decoration: underline; }",
        "img { border: 0px; }",
        "body { " + font +
            "color: <red>; background-color: #ABCDEF; margin-left: 1px; margin-top: 3px; "
            "margin-bottom: 4px; margin-right: 2px; }",
        "td { " + font + "color: <red>; }",
        ".btable { border: 0px solid #00FF00; }",
    };
    EXPECT_EQ(GetCSS(project), expected);

    project.NavFontSize = 6;
    int sixes = 0;
    for (const std::string& line : GetCSS(project)) {
        sixes += line.find("font-size: 6px;") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(sixes, 6);
}

TEST(StylesheetTest, TheBodyNamesTheBackgroundByItsCopysName) {
    TProject project;
    project.BackgroundImagePath = "C:\\Pictures\\Back.JPG";
    project.ConvertLow = true;
    EXPECT_EQ(GetCSS(project)[5],
              "body { font-family: Arial, Helvetica, sans-serif; font-size: 12px; color: #000000; "
              "background-color: #FFFFFF; background: url(back.jpg); margin-left: 0px; "
              "margin-top: 0px; margin-bottom: 0px; margin-right: 0px; }");
    project.ConvertLow = false;
    EXPECT_NE(GetCSS(project)[5].find(" background: url(Back.JPG); "), std::string::npos);
    // A path that does not exist is still named; the bytes that would break the url are
    // percent-encoded, the copy keeps its name.
    project.BackgroundImagePath = "/nowhere/Tile Pattern.gif";
    EXPECT_NE(GetCSS(project)[5].find(" background: url(Tile%20Pattern.gif); "), std::string::npos);
    EXPECT_EQ(BackgroundFileName(project), "Tile Pattern.gif");
    project.BackgroundImagePath = "/nowhere/Blätter (alt) 'n' 100%#2?.png";
    EXPECT_NE(GetCSS(project)[5].find(
                  " background: url(Bl%C3%A4tter%20%28alt%29%20%27n%27%20100%25%232%3F.png); "),
              std::string::npos);
}

TEST(StylesheetTest, BuildingTwiceRewritesTheSameFile) {
    TempFolder tmp;
    TProject project = projectIn(tmp);
    writeBytes(tmp.file("main.css"), std::string(5000, '#'));
    MakeCSS(project);
    const std::string first = readBytes(tmp.file("main.css"));
    MakeCSS(project);
    EXPECT_EQ(readBytes(tmp.file("main.css")), first);
    EXPECT_EQ(readLines(tmp.file("main.css")).size(), 8u);
}

TEST(StylesheetTest, AReadOnlyStylesheetFailsAndStays) {
    TempFolder tmp;
    const TProject project = projectIn(tmp);
    writeBytes(tmp.file("main.css"), "body {}");
    makeReadOnly(tmp.file("main.css"));
    EXPECT_EQ(errorOf([&] { MakeCSS(project); }), "Cannot create file " + tmp.file("main.css"));
    EXPECT_EQ(readBytes(tmp.file("main.css")), "body {}");
}

TEST(BackgroundImageTest, NothingIsCopiedWithoutABackgroundFile) {
    TempFolder tmp;
    TProject project = projectIn(tmp);
    CopyBackgroundImage(project);
    project.BackgroundImagePath = tmp.file("pics/gone.jpg");
    CopyBackgroundImage(project);
    EXPECT_FALSE(exists(tmp.file("gone.jpg")));
}

TEST(BackgroundImageTest, TheCopyTakesTheNameTheStylesheetUses) {
    TempFolder tmp;
    TProject project = projectIn(tmp);
    writeBytes(tmp.file("pics/Back.JPG"), "tile bytes");
    project.BackgroundImagePath = tmp.file("pics/Back.JPG");

    project.ConvertLow = true;
    CopyBackgroundImage(project);
    EXPECT_EQ(readBytes(tmp.file("back.jpg")), "tile bytes");
    EXPECT_FALSE(exists(tmp.file("Back.JPG")));

    project.ConvertLow = false;
    CopyBackgroundImage(project);
    EXPECT_EQ(readBytes(tmp.file("Back.JPG")), "tile bytes");
}

TEST(BackgroundImageTest, AReadOnlyCopyIsReplaced) {
    TempFolder tmp;
    TProject project = projectIn(tmp);
    writeBytes(tmp.file("pics/back.jpg"), "new tile");
    writeBytes(tmp.file("back.jpg"), "old tile, longer than the new one");
    makeReadOnly(tmp.file("back.jpg"));
    project.BackgroundImagePath = tmp.file("pics/back.jpg");
    CopyBackgroundImage(project);
    EXPECT_EQ(readBytes(tmp.file("back.jpg")), "new tile");
    EXPECT_TRUE(ownerMayWrite(tmp.file("back.jpg")));
}

TEST(BackgroundImageTest, ABackgroundThatIsItsOwnCopyIsLeftInPlace) {
    TempFolder tmp;
    TProject project = projectIn(tmp);
    writeBytes(tmp.file("back.jpg"), "the only tile");
    project.BackgroundImagePath = tmp.file("back.jpg");
    for (int run = 0; run < 2; ++run) {
        EXPECT_EQ(errorOf([&] { CopyBackgroundImage(project); }), "");
    }
    EXPECT_EQ(readBytes(tmp.file("back.jpg")), "the only tile");
}

} // namespace
} // namespace fotoplex
