// The page style, the pages' language and the site address: kept in the extension block only
// when they differ from their defaults, and checked where a user types them.

#include "base/Error.h"
#include "base/TempFolder.h"
#include "project/PageStyle.h"
#include "project/ProjectFields.h"
#include "project/TProject.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace fotoplex {
namespace {

TEST(PageSettings, DefaultsWriteThePlainFileAndOthersRoundTrip) {
    testing::TempFolder folder;
    TProject plain;
    plain.SaveAs(folder.file("plain.hgp"));
    TProject withDefaults;
    withDefaults.PageStyle = "classic";
    withDefaults.PageLanguage = "en";
    withDefaults.SaveAs(folder.file("defaults.hgp"));
    EXPECT_EQ(std::filesystem::file_size(folder.file("defaults.hgp")),
              std::filesystem::file_size(folder.file("plain.hgp")))
        << "no extension block for default page settings";

    TProject project;
    project.PageStyle = "modern";
    project.PageLanguage = "de-CH";
    project.SiteAddress = "https://example.org/trip/";
    project.ImageMetadata = MetadataChoice::Profile;
    project.SaveAs(folder.file("modern.hgp"));
    TProject loaded;
    loaded.Load(folder.file("modern.hgp"));
    EXPECT_EQ(PageStyleOf(loaded), PageStyleKind::Modern);
    EXPECT_EQ(loaded.PageLanguage.str(), "de-CH");
    EXPECT_EQ(loaded.SiteAddress.str(), "https://example.org/trip/");
    EXPECT_EQ(loaded.ImageMetadata, MetadataChoice::Profile);
    EXPECT_TRUE(loaded.UnknownExtensionLines.empty());

    loaded.SetDefaults();
    EXPECT_EQ(PageStyleOf(loaded), PageStyleKind::Classic);
    EXPECT_EQ(loaded.PageLanguage.str(), "en");
    EXPECT_TRUE(loaded.SiteAddress.empty());
}

TEST(PageSettings, AStyleThisVersionDoesNotKnowIsClassicAndKeptAsWritten) {
    testing::TempFolder folder;
    TProject project;
    project.PageStyle = "cinema";
    project.SaveAs(folder.file("later.hgp"));
    TProject loaded;
    loaded.Load(folder.file("later.hgp"));
    EXPECT_EQ(PageStyleOf(loaded), PageStyleKind::Classic);
    EXPECT_EQ(loaded.PageStyle.str(), "cinema");
}

TEST(PageSettings, ALineBreakNeverReachesTheBlock) {
    testing::TempFolder folder;
    TProject project;
    project.SiteAddress = "https://a.example/\nPageStyle=modern";
    project.SaveAs(folder.file("p.hgp"));
    TProject loaded;
    loaded.Load(folder.file("p.hgp"));
    EXPECT_EQ(PageStyleOf(loaded), PageStyleKind::Classic);
    EXPECT_EQ(loaded.SiteAddress.str(), "https://a.example/PageStyle=modern");
}

TEST(PageSettings, TypedValuesAreChecked) {
    TProject project;
    const auto set = [&](const char* name, const std::string& value) {
        setFieldFromText(project, *findProjectField(name), value);
    };
    set("PageStyle", "modern");
    EXPECT_EQ(PageStyleOf(project), PageStyleKind::Modern);
    EXPECT_THROW(set("PageStyle", "Modern"), Error) << "letter case counts";
    set("PageLanguage", "zh-Hant-TW");
    EXPECT_EQ(project.PageLanguage.str(), "zh-Hant-TW");
    for (const char* bad : {"", "en_US", "-en", "en-", "a\"b", "toolongtag"}) {
        EXPECT_THROW(set("PageLanguage", bad), Error) << bad;
    }
    set("SiteAddress", "");
    set("SiteAddress", "http://example.org");
    for (const char* bad : {"example.org", "javascript:alert(1)", "https://", "https:///x",
                            "https://a b", "https://a\"b", "https://a<b"}) {
        EXPECT_THROW(set("SiteAddress", bad), Error) << bad;
    }
    EXPECT_EQ(project.SiteAddress.str(), "http://example.org") << "a refused value changes nothing";
    try {
        set("PageLanguage", "en_US");
    } catch (const Error& error) {
        EXPECT_NE(std::string(error.what()).find("'en_US'"), std::string::npos)
            << "the message names the value";
    }
}

} // namespace
} // namespace fotoplex
