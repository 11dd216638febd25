#include "production/OutputNaming.h"

#include "../base/TempFolder.h"
#include "base/Error.h"
#include "project/TProject.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fotoplex {
namespace {

using testing::TempFolder;

TProject galleryAt(const std::string& targetDir) {
    TProject project;
    project.TargetDir = targetDir;
    project.ImageFolder = "img/";
    project.ThumbFolder = "thumbs/";
    project.ThumbPrefix = "tn_";
    project.ThumbSuffix = "";
    return project;
}

TEST(SourceNameTest, FileNameIsTheLastComponentAsStored) {
    EXPECT_EQ(SourceFileName("/home/ann/Pics/Beach.JPG"), "Beach.JPG");
#ifdef _WIN32
    EXPECT_EQ(SourceFileName("D:\\Pics\\Beach.JPG"), "Beach.JPG");
#endif
    EXPECT_EQ(SourceFileName("Beach.JPG"), "Beach.JPG");
    EXPECT_EQ(SourceFileName("/pics/12:30 lunch.jpg"), "12:30 lunch.jpg");
    EXPECT_EQ(SourceFileName("/pics/"), "");
}

TEST(SourceNameTest, ABackslashInAFileNameIsPartOfTheName) {
    EXPECT_EQ(SourceFileName("/pics/a\\y.jpg"), "a\\y.jpg");
    EXPECT_EQ(SourceBaseName("/pics/a\\y.jpg"), "a\\y");
    TProject project = galleryAt("/gallery/");
    project.ImageFolder = "img\\"; // a folder setting from Windows still reads "\\" as "/"
    EXPECT_EQ(ImageFilePath(project, "/pics/a\\y.jpg"), "/gallery/img/a\\y.jpg");
    EXPECT_EQ(ThumbFilePath(project, "/pics/a\\y.jpg"), "/gallery/thumbs/tn_a\\y.jpg");
    EXPECT_NE(ImageFilePath(project, "/pics/a\\y.jpg"), ImageFilePath(project, "/pics/y.jpg"))
        << "two such sources no longer share their outputs";
    EXPECT_EQ(RelativeToTarget(project, ImageFilePath(project, "/pics/a\\y.jpg")), "img/a\\y.jpg");
}

TEST(SourceNameTest, BaseNameEndsBeforeTheLastDot) {
    EXPECT_EQ(SourceBaseName("/p/beach.jpg"), "beach");
    EXPECT_EQ(SourceBaseName("/p/my.beach.png"), "my.beach");
    EXPECT_EQ(SourceBaseName("/p/README"), "README");
    EXPECT_EQ(SourceBaseName("/p/.jpg"), "");
    EXPECT_EQ(SourceBaseName("/p.d/scan01"), "scan01");
}

TEST(OutputPathTest, DefaultsPutImagesAndThumbnailsIntoTheirFolders) {
    const TProject project = galleryAt("/gallery/");
    EXPECT_EQ(ImageFolderPath(project), "/gallery/img/");
    EXPECT_EQ(ThumbFolderPath(project), "/gallery/thumbs/");
    EXPECT_EQ(ImageFilePath(project, "/pics/Beach.JPG"), "/gallery/img/Beach.JPG");
    EXPECT_EQ(ThumbFilePath(project, "/pics/Beach.JPG"), "/gallery/thumbs/tn_Beach.jpg");
    EXPECT_EQ(RelativeToTarget(project, ImageFilePath(project, "/pics/Beach.JPG")),
              "img/Beach.JPG");
    EXPECT_EQ(RelativeToTarget(project, ThumbFilePath(project, "/pics/Beach.JPG")),
              "thumbs/tn_Beach.jpg");
}

TEST(OutputPathTest, EveryFormOfTheFolderSettingGivesOneFolder) {
    TProject project = galleryAt("/gallery/");
    const std::vector<std::pair<std::string, std::string>> forms = {
        {"img", "/gallery/img/"},     {"img/", "/gallery/img/"},
        {"img\\", "/gallery/img/"},   {"", "/gallery/"},
        {"a/b/c", "/gallery/a/b/c/"}, {"a\\b\\", "/gallery/a/b/"},
        {"../up/", "/gallery/../up/"}};
    for (const auto& [setting, folder] : forms) {
        project.ImageFolder = setting;
        project.ThumbFolder = setting;
        EXPECT_EQ(ImageFolderPath(project), folder) << setting;
        EXPECT_EQ(ThumbFolderPath(project), folder) << setting;
        // The stored setting is kept as it was.
        EXPECT_EQ(project.ImageFolder.str(), setting);
    }
}

TEST(OutputPathTest, RelativeLinksFollowTheFolderSetting) {
    TProject project = galleryAt("/home/ann/gallery/");
    const std::vector<std::pair<std::string, std::string>> forms = {
        {"img", "img/x.jpg"},      {"img/", "img/x.jpg"}, {"img\\", "img/x.jpg"},   {"", "x.jpg"},
        {"a/b/c/", "a/b/c/x.jpg"}, {"a\\b", "a/b/x.jpg"}, {"../up/", "../up/x.jpg"}};
    for (const auto& [setting, link] : forms) {
        project.ImageFolder = setting;
        EXPECT_EQ(RelativeToTarget(project, ImageFilePath(project, "/pics/x.jpg")), link)
            << setting;
    }
}

TEST(OutputPathTest, RelativeToTargetClimbsOutOfTheFoldersNotShared) {
    const TProject project = galleryAt("/home/ann/web/gallery/");
    EXPECT_EQ(RelativeToTarget(project, "/home/ann/pics/a.jpg"), "../../pics/a.jpg");
    EXPECT_EQ(RelativeToTarget(project, "/srv/a.jpg"), "../../../../srv/a.jpg");
    EXPECT_EQ(RelativeToTarget(project, "/home/ann/web/gallery/a.jpg"), "a.jpg");
    // Linux compares folder names exactly.
    EXPECT_EQ(RelativeToTarget(project, "/home/ann/Web/gallery/a.jpg"), "../../Web/gallery/a.jpg");
}

TEST(OutputPathTest, ThumbnailNamesUsePrefixSuffixAndALowerCaseJpg) {
    TProject project = galleryAt("/g/");
    project.ThumbPrefix = "";
    project.ThumbSuffix = "_s";
    EXPECT_EQ(ThumbFilePath(project, "/p/a.b.png"), "/g/thumbs/a.b_s.jpg");
    project.ThumbPrefix = "tn_";
    project.ThumbSuffix = "";
    EXPECT_EQ(ThumbFilePath(project, "/p/Sunset.PNG"), "/g/thumbs/tn_Sunset.jpg");
    EXPECT_EQ(ImageFilePath(project, "/p/Sunset.PNG"), "/g/img/Sunset.PNG");
    EXPECT_EQ(ThumbFilePath(project, "/p/scan01"), "/g/thumbs/tn_scan01.jpg");
    EXPECT_EQ(ImageFilePath(project, "/p/scan01"), "/g/img/scan01");
}

TEST(OutputPathTest, SameNamesMapToOneOutput) {
    const TProject project = galleryAt("/g/");
    EXPECT_EQ(ImageFilePath(project, "/a/beach.jpg"), ImageFilePath(project, "/b/beach.jpg"));
    EXPECT_EQ(ThumbFilePath(project, "/a/beach.jpg"), ThumbFilePath(project, "/b/beach.jpg"));
    EXPECT_NE(ImageFilePath(project, "/p/x.png"), ImageFilePath(project, "/p/x.jpg"));
    EXPECT_EQ(ThumbFilePath(project, "/p/x.png"), "/g/thumbs/tn_x.jpg");
    EXPECT_EQ(ThumbFilePath(project, "/p/x.jpg"), "/g/thumbs/tn_x.jpg");
}

TEST(OutputPathTest, AnEmptyFolderInTheSourcesFolderIsTheSourceItself) {
    TProject project = galleryAt("/pics/");
    project.ImageFolder = "";
    project.ThumbFolder = "";
    project.ThumbPrefix = "";
    EXPECT_EQ(ImageFilePath(project, "/pics/a.jpg"), "/pics/a.jpg");
    EXPECT_EQ(ThumbFilePath(project, "/pics/a.jpg"), "/pics/a.jpg");
    EXPECT_NE(ThumbFilePath(project, "/pics/a.JPG"), "/pics/a.JPG");
}

TEST(EnsureOutputFolderTest, CreatesOneLevelOnly) {
    TempFolder tmp;
    EnsureOutputFolder(tmp.file("img/"));
    EXPECT_TRUE(std::filesystem::is_directory(tmp.file("img")));
    EnsureOutputFolder(tmp.file("img/")); // exists: nothing happens

    try {
        EnsureOutputFolder(tmp.file("a/b/"));
        ADD_FAILURE() << "a missing parent must fail";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create " + tmp.file("a/b/"));
    }
    EXPECT_FALSE(testing::exists(tmp.file("a")));
}

TEST(EnsureOutputFolderTest, AFileInTheWayFails) {
    TempFolder tmp;
    testing::writeBytes(tmp.file("thumbs"), "not a folder");
    try {
        EnsureOutputFolder(tmp.file("thumbs/"));
        ADD_FAILURE() << "a file named like the folder must fail";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create " + tmp.file("thumbs/"));
    }
    EXPECT_EQ(testing::readBytes(tmp.file("thumbs")), "not a folder");
}

} // namespace
} // namespace fotoplex
