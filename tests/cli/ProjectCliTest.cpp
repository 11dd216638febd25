#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include <gtest/gtest.h>

#include "cli/CliRunner.h"
#include "project/TProject.h"

namespace fotoplex {
namespace {

namespace fs = std::filesystem;
using fotoplex::testing::runCli;

class ProjectCli : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("fotoplex-cli-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder / "Photos");
        for (const char* name : {"Beach.JPG", "sea.png"}) {
            std::ofstream(folder / "Photos" / name) << "not really a picture";
        }
        project = (folder / "g.hgp").string();
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string bytesOf(const std::string& file) const {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::string photo(const char* name) const { return (folder / "Photos" / name).string(); }

    fs::path folder;
    std::string project;
};

TEST_F(ProjectCli, NewSetShowRoundTrip) {
    auto r = runCli({"project", "new", project, "TableCols=6", "DocTitle=My trip", "ConvertLow=0",
                     "--add", photo("Beach.JPG")});
    ASSERT_EQ(r.status, 0) << r.out;
    r = runCli({"project", "set", project, "JumpMenu=true", "TableRows=-5", "ConvertLow=true",
                "--add", photo("sea.png"), "--add", photo("Beach.JPG")});
    ASSERT_EQ(r.status, 0) << r.out;

    r = runCli({"project", "show", project});
    ASSERT_EQ(r.status, 0) << r.out;
    std::istringstream lines(r.out);
    std::vector<std::string> all;
    for (std::string line; std::getline(lines, line);) {
        all.push_back(line);
    }
    ASSERT_EQ(all.size(), 69u + 3);
    EXPECT_EQ(all.front().rfind("TargetDir=", 0), 0u);
    EXPECT_EQ(all[63], "ShowWhenReady=false");
    EXPECT_EQ(all[64], "ImageMetadata=all");
    EXPECT_EQ(all[65], "ThumbMetadata=all");
    EXPECT_EQ(all[66], "PageStyle=classic");
    EXPECT_EQ(all[67], "PageLanguage=en");
    EXPECT_EQ(all[68], "SiteAddress=");
    EXPECT_EQ(all[69], "File=" + photo("Beach.JPG")) << "kept as given while ConvertLow was off";
    std::string lowered = photo("Beach.JPG");
    for (char& c : lowered) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    EXPECT_EQ(all[71], "File=" + lowered);
    EXPECT_NE(r.out.find("\nTableCols=6\n"), std::string::npos);
    EXPECT_NE(r.out.find("\nTableRows=-5\n"), std::string::npos);
    EXPECT_NE(r.out.find("\nJumpMenu=true\n"), std::string::npos);
    EXPECT_NE(r.out.find("\nDocTitle=My trip\n"), std::string::npos);
    EXPECT_NE(r.out.find("\nSourceDir=" + (folder / "Photos").string() + "\n"), std::string::npos);

    TProject loaded;
    loaded.Load(project);
    EXPECT_EQ(loaded.TableCols, 6);
    EXPECT_EQ(loaded.Files.size(), 3u);

    r = runCli({"project", "set", project, "--clear-files"});
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(fs::file_size(project), 6502u);
}

TEST_F(ProjectCli, BadRequestsExitWith2AndLeaveTheFileUntouched) {
    ASSERT_EQ(runCli({"project", "new", project}).status, 0);
    const std::string before = bytesOf(project);
    const std::vector<std::vector<std::string>> bad = {
        {"project", "set", project, "NoSuchSetting=1"},
        {"project", "set", project, "TableCols=abc"},
        {"project", "set", project, "TableCols=4294967296"},
        {"project", "set", project, "JumpMenu=yes"},
        {"project", "set", project, "--add"},
        {"project", "set", project, "--add", photo("missing.jpg")},
        {"project", "set", project, "--add", photo("sea.png"), photo("missing.jpg")},
        {"project", "set", project, "--add", "--clear-files"},
        {"project", "set", project, "stray"},
        {"project", "frobnicate", project},
    };
    for (const auto& words : bad) {
        const auto r = runCli(words);
        EXPECT_EQ(r.status, 2) << words[3 < words.size() ? 3 : words.size() - 1] << ": " << r.out;
        EXPECT_FALSE(r.out.empty());
        EXPECT_EQ(bytesOf(project), before);
    }
    const auto unknown = runCli({"project", "set", project, "NoSuchSetting=1"});
    EXPECT_NE(unknown.out.find("NoSuchSetting"), std::string::npos);
    const auto malformed = runCli({"project", "set", project, "TableCols=abc"});
    EXPECT_NE(malformed.out.find("abc"), std::string::npos);
}

TEST_F(ProjectCli, AddTakesEveryPathUpToTheNextOptionOrSetting) {
    auto r = runCli({"project", "new", project, "ConvertLow=0", "--add", photo("Beach.JPG"),
                     photo("sea.png")});
    ASSERT_EQ(r.status, 0) << r.out;
    r = runCli({"project", "set", project, "--add", photo("sea.png"), "TableCols=3", "--add",
                photo("Beach.JPG"), photo("sea.png")});
    ASSERT_EQ(r.status, 0) << r.out;
    TProject loaded;
    loaded.Load(project);
    EXPECT_EQ(loaded.Files, (std::vector<std::string>{photo("Beach.JPG"), photo("sea.png"),
                                                      photo("sea.png"), photo("Beach.JPG"),
                                                      photo("sea.png")}));
    EXPECT_EQ(loaded.TableCols, 3);

    r = runCli({"project", "set", project, "--add", photo("Beach.JPG"), "--clear-files"});
    ASSERT_EQ(r.status, 0) << r.out;
    loaded.Load(project);
    EXPECT_EQ(loaded.Files, std::vector<std::string>{photo("Beach.JPG")})
        << "an option ends the paths";
    EXPECT_NE(runCli({"project", "--help"}).out.find("--add photos/*.jpg"), std::string::npos);
}

TEST_F(ProjectCli, MetadataChoicesAreSetShownAndLeaveNoTraceAtTheirDefaults) {
    ASSERT_EQ(runCli({"project", "new", project, "ImageMetadata=nolocation"}).status, 0);
    EXPECT_GT(fs::file_size(project), 6502u);
    auto r = runCli({"project", "set", project, "ThumbMetadata=profile", "TableCols=5"});
    ASSERT_EQ(r.status, 0) << r.out;
    r = runCli({"project", "show", project});
    EXPECT_NE(r.out.find("\nShowWhenReady=false\nImageMetadata=nolocation\nThumbMetadata=profile\n"),
              std::string::npos)
        << r.out;
    TProject loaded;
    loaded.Load(project);
    EXPECT_EQ(loaded.ThumbMetadata, MetadataChoice::Profile);
    EXPECT_EQ(loaded.TableCols, 5);

    const std::string before = bytesOf(project);
    for (const char* bad : {"ImageMetadata=none", "ThumbMetadata=Profile", "ThumbMetadata="}) {
        r = runCli({"project", "set", project, bad});
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_NE(r.out.find("nolocation"), std::string::npos) << "names the choices: " << r.out;
        EXPECT_EQ(bytesOf(project), before);
    }

    r = runCli({"project", "set", project, "ImageMetadata=all", "ThumbMetadata=all"});
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(fs::file_size(project), 6502u);
}

TEST_F(ProjectCli, PageSettingsAreSetCheckedAndLeaveNoTraceAtTheirDefaults) {
    ASSERT_EQ(runCli({"project", "new", project, "PageStyle=modern", "PageLanguage=de-CH",
                      "SiteAddress=https://example.org/trip/"})
                  .status,
              0);
    auto r = runCli({"project", "show", project});
    EXPECT_NE(r.out.find("\nPageStyle=modern\nPageLanguage=de-CH\n"
                         "SiteAddress=https://example.org/trip/\n"),
              std::string::npos)
        << r.out;

    const std::string before = bytesOf(project);
    for (const std::string bad : {"PageStyle=Modern", "PageLanguage=de_CH", "SiteAddress=x:y"}) {
        r = runCli({"project", "set", project, bad});
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_NE(r.out.find("'" + bad.substr(bad.find('=') + 1) + "'"), std::string::npos)
            << "names the value: " << r.out;
        EXPECT_EQ(bytesOf(project), before);
    }

    r = runCli({"project", "set", project, "PageStyle=classic", "PageLanguage=en", "SiteAddress="});
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(fs::file_size(project), 6502u);
}

TEST_F(ProjectCli, MissingProjectIsAnErrorNamingIt) {
    const auto r = runCli({"project", "show", (folder / "none.hgp").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Cannot open file " + (folder / "none.hgp").string()), std::string::npos);
    EXPECT_FALSE(fs::exists(folder / "none.hgp"));
}

TEST_F(ProjectCli, HelpOnEveryLevel) {
    EXPECT_EQ(runCli({"--help"}).status, 0);
    const auto project = runCli({"project", "--help"});
    EXPECT_EQ(project.status, 0);
    EXPECT_NE(project.out.find("project show FILE"), std::string::npos);
    EXPECT_EQ(runCli({"project", "new", "--help"}).status, 0);
    EXPECT_EQ(runCli({}).status, 2);
    EXPECT_EQ(runCli({"nonsense"}).status, 2);
}

} // namespace
} // namespace fotoplex
