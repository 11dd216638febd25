#include "base/ResourceFolder.h"

#include "TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fotoplex {
namespace {

using testing::TempFolder;
namespace fs = std::filesystem;

void makeFolder(const std::string& path) {
    fs::create_directories(path);
}

TEST(ResourceFolderTest, InstalledProgramFindsShareBesideItsBinFolder) {
    TempFolder root;
    makeFolder(root.file("usr/bin"));
    makeFolder(root.file("usr/share/fotoplex/help"));
    EXPECT_EQ(findResourceFolder(root.file("usr/bin")), fs::path(root.file("usr/share/fotoplex")));
    EXPECT_EQ(findResourceFolder(root.file("usr/bin/")), fs::path(root.file("usr/share/fotoplex")));
    EXPECT_TRUE(isInstalledProgram(root.file("usr/bin")));
    EXPECT_TRUE(isInstalledProgram(root.file("usr/bin/")));
}

TEST(ResourceFolderTest, BuildFolderProgramFindsShareTwoLevelsUp) {
    TempFolder build;
    makeFolder(build.file("src/cli"));
    makeFolder(build.file("share/fotoplex"));
    EXPECT_EQ(findResourceFolder(build.file("src/cli")), fs::path(build.file("share/fotoplex")));
    EXPECT_FALSE(isInstalledProgram(build.file("src/cli")));
}

TEST(ResourceFolderTest, InstalledLayoutWinsOverAFolderFurtherUp) {
    TempFolder root;
    makeFolder(root.file("share/fotoplex"));
    makeFolder(root.file("opt/bin"));
    makeFolder(root.file("opt/share/fotoplex"));
    EXPECT_EQ(findResourceFolder(root.file("opt/bin")), fs::path(root.file("opt/share/fotoplex")));
}

TEST(ResourceFolderTest, NothingFoundOrNothingToSearchFrom) {
    TempFolder root;
    makeFolder(root.file("usr/bin"));
    makeFolder(root.file("usr/share/other"));
    EXPECT_EQ(findResourceFolder(root.file("usr/bin")), std::nullopt);
    EXPECT_EQ(findResourceFolder(""), std::nullopt);
    EXPECT_FALSE(isInstalledProgram(root.file("usr/bin")));
    EXPECT_FALSE(isInstalledProgram(""));
    // A plain file named like the folder is no resource folder.
    makeFolder(root.file("usr/share"));
    testing::writeBytes(root.file("usr/share/fotoplex"), "x");
    EXPECT_EQ(findResourceFolder(root.file("usr/bin")), std::nullopt);
}

TEST(ResourceFolderTest, BinFolderWithoutOurShareIsNotAnInstall) {
    TempFolder root;
    makeFolder(root.file("bin"));
    makeFolder(root.file("fotoplex"));
    EXPECT_FALSE(isInstalledProgram(root.file("bin")));
}

TEST(ResourceFolderTest, TestProgramsFindTheBuildFoldersShare) {
    // The test program runs from <build>/tests/base, so it sees what the programs see.
    const fs::path folder = programFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.filename(), "base");
    const auto found = findResourceFolder(folder);
    ASSERT_TRUE(found.has_value());
    EXPECT_TRUE(fs::exists(*found / "help" / "index.html"));
    EXPECT_TRUE(fs::exists(*found / "samples" / "LICENSE.md"));
    EXPECT_EQ(resourceFolder(), *found);
}

} // namespace
} // namespace fotoplex
