#include "filelist/SourcePath.h"

#include "FilesPageFakes.h"
#include "base/Text.h"
#include "filelist/FileListPaths.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fotoplex::testing {
namespace {

class SourcePathTest : public ::testing::Test {
protected:
    TempTree tree;
};

TEST_F(SourcePathTest, ExistingPathIsReturnedAsItIs) {
    const std::string path = tree.file("Trip 2024/Day One/IMG_0042.JPG", 12);
    EXPECT_EQ(resolveSourcePath(path), path);
}

TEST_F(SourcePathTest, LowerCasedPathFindsTheMixedCaseFile) {
    const std::string path = tree.file("Trip 2024/Day One/IMG_0042.JPG", 12);
    tree.file("Trip 2024/Day Two/IMG_0042.JPG", 1);
    // The whole path is lower-cased, the temporary folder's random letters included.
    EXPECT_EQ(resolveSourcePath(toLowerAscii(path)), path);
    EXPECT_EQ(listedFileSize(toLowerAscii(path)), 12);
}

TEST_F(SourcePathTest, ExactComponentsWinOverCaseMatches) {
    const std::string lower = tree.file("shots/a.jpg", 1);
    const std::string upper = tree.file("Shots/A.JPG", 2);
    EXPECT_EQ(resolveSourcePath(lower), lower);
    EXPECT_EQ(resolveSourcePath(upper), upper);
    // Neither exists as written: the first matching name in byte order is taken at each step.
    const std::string mixed = (tree.root() / "sHots/A.jpg").string();
    EXPECT_EQ(resolveSourcePath(mixed), (tree.root() / "Shots/A.JPG").string());
}

TEST_F(SourcePathTest, UnmatchedPathComesBackUnchanged) {
    tree.file("Photos/one.jpg", 1);
    const std::string missingFile = (tree.root() / "photos/two.jpg").string();
    EXPECT_EQ(resolveSourcePath(missingFile), missingFile);
    const std::string missingFolder = (tree.root() / "nowhere/one.jpg").string();
    EXPECT_EQ(resolveSourcePath(missingFolder), missingFolder);
    // A file where the path wants a folder.
    const std::string throughFile = (tree.root() / "photos/ONE.JPG/x.jpg").string();
    EXPECT_EQ(resolveSourcePath(throughFile), throughFile);
    EXPECT_EQ(resolveSourcePath(""), "");
}

TEST_F(SourcePathTest, UnreadableFolderEndsTheSearchQuietly) {
    const std::string path = tree.file("Locked/Inner/a.jpg", 3);
    const std::filesystem::path locked = tree.root() / "Locked";
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    const std::string wanted = (locked / "inner/a.jpg").string();
    const std::string resolved = resolveSourcePath(wanted);
    std::filesystem::permissions(locked, std::filesystem::perms::owner_all);
    // Root may read any folder; everyone else gets the path back unchanged.
    EXPECT_EQ(resolved, geteuid() == 0 ? path : wanted);
}

TEST_F(SourcePathTest, SizeIsZeroForNothingAndForFolders) {
    const std::string path = tree.file("Big/huge.tif", 3'000'000'000);
    EXPECT_EQ(listedFileSize(path), 3'000'000'000);
    EXPECT_EQ(listedFileSize((tree.root() / "Big/missing.tif").string()), 0);
    EXPECT_EQ(listedFileSize((tree.root() / "big").string()), 0);
    EXPECT_EQ(listedFileSize(""), 0);
}

TEST_F(SourcePathTest, ResolverRemembersFoldersButNoticesChanges) {
    const std::string first = tree.file("Album/First.JPG", 1);
    SourcePathResolver resolver;
    EXPECT_EQ(resolver.resolve(toLowerAscii(first)), first);

    // Added after the folder was read: found all the same.
    const std::string second = tree.file("Album/Second.JPG", 1);
    EXPECT_EQ(resolver.resolve(toLowerAscii(second)), second);

    // Renamed after it was found: the new name is found, not the remembered one.
    const std::string renamed = (tree.root() / "Album/FIRST.jpg").string();
    std::filesystem::rename(first, renamed);
    EXPECT_EQ(resolver.resolve(toLowerAscii(first)), renamed);

    std::filesystem::remove(renamed);
    EXPECT_EQ(resolver.resolve(toLowerAscii(first)), toLowerAscii(first));
}

TEST(FileListPathsTest, FolderAndNameOfAPath) {
    EXPECT_EQ(folderOf("/home/ann/Pics/a.jpg"), "/home/ann/Pics");
    EXPECT_EQ(folderOf("/home/ann//a.jpg"), "/home/ann");
    EXPECT_EQ(folderOf("/a.jpg"), "/");
    EXPECT_EQ(folderOf("a.jpg"), "");
    EXPECT_EQ(fileNameOf("/home/ann/Pics/a.jpg"), "a.jpg");
    EXPECT_EQ(fileNameOf("a.jpg"), "a.jpg");
    EXPECT_EQ(fileNameOf("/home/ann/"), "");
}

} // namespace
} // namespace fotoplex::testing
