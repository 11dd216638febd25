#include <gtest/gtest.h>

#include "project/TProject.h"

namespace fotoplex {
namespace {

TEST(TProjectDefaults, NewProjectIsUntitledModifiedAndEmpty) {
    const TProject project;
    EXPECT_TRUE(project.Modified);
    EXPECT_EQ(project.FileName, "untitled.hgp");
    EXPECT_TRUE(project.Files.empty());
    EXPECT_EQ(project.TableCols, 4);
    EXPECT_EQ(project.TableRows, 3);
    EXPECT_EQ(project.TableWidthPx, 500);
    EXPECT_EQ(project.JumpToText, "Jump");
    EXPECT_EQ(project.BottomTitle, "Created With Fotoplex ");
    EXPECT_EQ(project.TableHeaderColor, "#CCCCCC");
    EXPECT_EQ(project.LinkColor, "#3333FF");
    EXPECT_EQ(project.ActiveLinkColor, "#003399");
    EXPECT_EQ(project.VisitedLinkColor, "#003399");
    EXPECT_EQ(project.HoverColor, "#3333FF");
    EXPECT_EQ(project.ThumbPrefix, "tn_");
    // Texts are converted into the declared charset, so the default stays.
    EXPECT_EQ(project.Encoding, 18);
    EXPECT_EQ(project.LinksTarget, 1);
    EXPECT_EQ(project.BottomTitleSize, 5);
    EXPECT_TRUE(project.ConvertLow);
    EXPECT_TRUE(project.KeepThumbAspect);
    EXPECT_TRUE(project.TableWidthInPixels);
    EXPECT_FALSE(project.TableWidthInPercents);
}

TEST(TProjectDefaults, LinuxFoldersUseSlashAndAnExistingDocumentsFolder) {
    const TProject project;
    EXPECT_EQ(project.ImageFolder, "img/");
    EXPECT_EQ(project.ThumbFolder, "thumbs/");
    EXPECT_FALSE(project.TargetDir.empty());
    EXPECT_EQ(project.TargetDir, project.SourceDir);
}

TEST(TProjectDefaults, SetDefaultsKeepsFilesNameAndModified) {
    TProject project;
    project.Files = {"/a/one.jpg", "/a/two.jpg"};
    project.FileName = "/tmp/mine.hgp";
    project.Modified = false;
    project.TableCols = 9;
    project.DocTitle = "changed";
    project.SetDefaults();
    EXPECT_EQ(project.Files.size(), 2u);
    EXPECT_EQ(project.FileName, "/tmp/mine.hgp");
    EXPECT_FALSE(project.Modified);
    EXPECT_EQ(project.TableCols, 4);
    EXPECT_TRUE(project.DocTitle.empty());
}

TEST(TProjectTables, CharsetByEncodingWithFallback) {
    TProject project;
    const std::pair<int, const char*> cases[] = {
        {0, "iso-8859-2"},  {4, "KOI8-R"},      {10, "iso-8859-1"}, {11, "EUC-JP"},
        {13, "Shift_JIS"},  {17, "utf-8"},      {18, "iso-8859-1"}, {19, "windows-1252"},
        {-1, "iso-8859-1"}, {20, "iso-8859-1"}, {1000, "iso-8859-1"}};
    for (const auto& [encoding, charset] : cases) {
        project.Encoding = encoding;
        EXPECT_EQ(project.GetCharset(), charset) << "Encoding " << encoding;
    }
}

TEST(TProjectTables, FontFamilyQuotesMultiWordFirstNames) {
    TProject project;
    const std::pair<int, const char*> cases[] = {
        {0, "Arial, Helvetica, sans-serif"},
        {1, "\"Courier New\", Courier, monospace"},
        {2, "\"MS Sans Serif\", Geneva, sans-serif"},
        {3, "\"MS Serif\", New York, serif"},
        {4, "\"Times New Roman\", Times, serif"},
        {5, "Verdana, Arial, Helvetica, sans-serif"},
        {6, "Arial, Helvetica, sans-serif"},
        {-1, "Arial, Helvetica, sans-serif"}};
    for (const auto& [family, css] : cases) {
        project.FontFamily = family;
        EXPECT_EQ(project.GetFontFamily(), css) << "FontFamily " << family;
    }
}

TEST(ProjectText, LongValuesKeepTheirFirst255Bytes) {
    TProject project;
    project.DocTitle = std::string(300, 'x');
    EXPECT_EQ(project.DocTitle.size(), 255u);
    project.DocTitle = std::string(255, 'y');
    EXPECT_EQ(project.DocTitle.size(), 255u);
}

TEST(ProjectText, CuttingNeverSplitsAUtf8Sequence) {
    // 254 ASCII bytes then a two-byte letter: 256 bytes, the letter must go whole.
    const std::string value = std::string(254, 'a') + "\xC3\xA9";
    const Text text = value;
    EXPECT_EQ(text.size(), 254u);
    EXPECT_EQ(text.str(), std::string(254, 'a'));
}

} // namespace
} // namespace fotoplex
