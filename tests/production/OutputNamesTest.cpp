// The one table of output names of a build: described names where nothing meets, distinct
// names for later entries whose outputs would share a file, compared as the target compares.
#include "production/OutputNames.h"

#include "../base/TempFolder.h"
#include "production/OutputNaming.h"
#include "project/TProject.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace fotoplex {
namespace {

using testing::TempFolder;

TProject galleryWith(const std::vector<std::string>& files) {
    TProject project;
    project.TargetDir = "/g/";
    project.ImageFolder = "img/";
    project.ThumbFolder = "thumbs/";
    project.ThumbPrefix = "tn_";
    project.ThumbSuffix = "";
    project.Files = files;
    return project;
}

OutputNames table(const TProject& project, NameComparison comparison = NameComparison::Exact) {
    return OutputNames(project, ClassicNaming(project), comparison);
}

std::string pageOf(const std::string& fileName) {
    return ImagePageFileName(fileName);
}

TEST(OutputNamesTest, AListWithoutPairsKeepsEveryDescribedName) {
    const std::vector<std::string> plain = {"/p/Beach.JPG", "/p/my.beach.png", "/p/scan01",
                                            "/p/.jpg",      "/q/a\\y.jpg",     "/q/y.jpg",
                                            "/q/index.jpg", "/q/page2.png"};
    std::vector<std::string> caseOnly = plain;
    caseOnly.push_back("/p/beach.png"); // its thumbnail tn_beach.jpg differs in case only
    for (const NameComparison comparison : {NameComparison::Exact, NameComparison::FoldCase}) {
        const TProject project =
            galleryWith(comparison == NameComparison::Exact ? caseOnly : plain);
        const OutputNames names = table(project, comparison);
        ASSERT_EQ(names.size(), project.Files.size());
        for (std::size_t k = 0; k < project.Files.size(); ++k) {
            const std::string& source = project.Files[k];
            EXPECT_EQ(names.imagePath(k), ImageFilePath(project, source)) << source;
            EXPECT_EQ(names.thumbPath(k), ThumbFilePath(project, source)) << source;
            EXPECT_EQ(names.pageName(k), pageOf(SourceFileName(source))) << source;
        }
        EXPECT_TRUE(names.distinct().empty());
        EXPECT_TRUE(names.distinctLines().empty());
    }
    // The same list on a target that folds case: beach.png meets Beach.JPG's thumbnail.
    const OutputNames folded = table(galleryWith(caseOnly), NameComparison::FoldCase);
    EXPECT_EQ(folded.thumbPath(caseOnly.size() - 1), "/g/thumbs/tn_beach-2.jpg");
}

TEST(OutputNamesTest, TheLaterOfTwoSameNamedPhotosGetsAMarkInEveryName) {
    const TProject project = galleryWith({"/phone/IMG_0001.jpg", "/camera/IMG_0001.jpg"});
    const OutputNames names = table(project);
    EXPECT_EQ(names.imagePath(0), "/g/img/IMG_0001.jpg");
    EXPECT_EQ(names.thumbPath(0), "/g/thumbs/tn_IMG_0001.jpg");
    EXPECT_EQ(names.pageName(0), "IMG_0001_jpg.html");
    EXPECT_EQ(names.imagePath(1), "/g/img/IMG_0001-2.jpg");
    EXPECT_EQ(names.thumbPath(1), "/g/thumbs/tn_IMG_0001-2.jpg");
    EXPECT_EQ(names.pageName(1), "IMG_0001-2_jpg.html");
    ASSERT_EQ(names.distinctLines().size(), 1u);
    EXPECT_EQ(names.distinctLines()[0], "/camera/IMG_0001.jpg: named IMG_0001-2.jpg, because "
                                        "/phone/IMG_0001.jpg already has img/IMG_0001.jpg");
}

TEST(OutputNamesTest, ASharedThumbnailAloneIsEnoughForADistinctName) {
    TProject project = galleryWith({"/p/IMG_7.jpg", "/p/IMG_7.png"});
    project.ThumbSuffix = "_s";
    const OutputNames names = table(project);
    EXPECT_EQ(names.imagePath(0), "/g/img/IMG_7.jpg");
    EXPECT_EQ(names.thumbPath(0), "/g/thumbs/tn_IMG_7_s.jpg");
    EXPECT_EQ(names.imagePath(1), "/g/img/IMG_7-2.png");
    EXPECT_EQ(names.thumbPath(1), "/g/thumbs/tn_IMG_7-2_s.jpg") << "the mark follows the base";
    EXPECT_EQ(names.pageName(1), "IMG_7-2_png.html");
    ASSERT_EQ(names.distinct().size(), 1u);
    EXPECT_EQ(names.distinct()[0].takenName, "thumbs/tn_IMG_7_s.jpg");
    EXPECT_EQ(names.distinct()[0].takenBy, "/p/IMG_7.jpg");
}

TEST(OutputNamesTest, AMarkNeverTakesANameAnotherEntryHasOrWillHave) {
    // x-2.jpg is the described name of the third entry, so the second becomes x-3.jpg and
    // the third keeps its own; the fourth x.jpg goes on counting.
    const TProject project =
        galleryWith({"/a/x.jpg", "/b/x.jpg", "/c/x-2.jpg", "/d/x.jpg", "/e/noext", "/f/noext"});
    const OutputNames names = table(project);
    EXPECT_EQ(names.imagePath(0), "/g/img/x.jpg");
    EXPECT_EQ(names.imagePath(1), "/g/img/x-3.jpg");
    EXPECT_EQ(names.imagePath(2), "/g/img/x-2.jpg");
    EXPECT_EQ(names.imagePath(3), "/g/img/x-4.jpg");
    EXPECT_EQ(names.thumbPath(3), "/g/thumbs/tn_x-4.jpg");
    EXPECT_EQ(names.imagePath(5), "/g/img/noext-2");
    EXPECT_EQ(names.pageName(5), "noext-2.html");
    EXPECT_EQ(names.distinct().size(), 3u);
}

TEST(OutputNamesTest, TheSamePathListedTwiceSharesItsOutputsWithoutANotice) {
    const TProject project = galleryWith({"/a/x.jpg", "/b/x.jpg", "/a/x.jpg", "/a//x.jpg"});
    const OutputNames names = table(project);
    EXPECT_EQ(names.imagePath(2), names.imagePath(0));
    EXPECT_EQ(names.thumbPath(3), names.thumbPath(0));
    EXPECT_EQ(names.pageName(2), names.pageName(0));
    EXPECT_EQ(names.imagePath(1), "/g/img/x-2.jpg");
    EXPECT_EQ(names.distinct().size(), 1u);
}

TEST(OutputNamesTest, OnATargetThatFoldsCaseNamesDifferingInCaseMeet) {
    const TProject project = galleryWith({"/a/IMG_1.JPG", "/b/img_1.jpg",
                                          "/a/\xC3\x9C"
                                          "ber.png",
                                          "/b/\xC3\xBC"
                                          "ber.png"});
    const OutputNames exact = table(project, NameComparison::Exact);
    EXPECT_TRUE(exact.distinct().empty()) << "Linux tells them apart";

    const OutputNames folded = table(project, NameComparison::FoldCase);
    EXPECT_EQ(folded.imagePath(1), "/g/img/img_1-2.jpg");
    EXPECT_EQ(folded.imagePath(3), "/g/img/\xC3\xBC"
                                   "ber-2.png");
    ASSERT_EQ(folded.distinct().size(), 2u);
    EXPECT_TRUE(folded.distinct()[0].caseOnly);
    EXPECT_NE(folded.distinctLines()[0].find("does not tell letter case apart"), std::string::npos);
    EXPECT_TRUE(folded.isOutput("/g/IMG/IMG_1-2.JPG"));
    EXPECT_FALSE(exact.isOutput("/g/IMG/IMG_1.JPG"));
    EXPECT_TRUE(exact.isOutput("/g/img/IMG_1.JPG"));
}

TEST(OutputNamesTest, APictureNeverTakesTheNameOfAGalleryFile) {
    TProject project = galleryWith({"/p/index", "/p/a.jpg", "/p/page2", "/p/page3"});
    project.TableRows = 1;
    project.TableCols = 2; // two index pages: index.html and page2.html
    const OutputNames names = table(project);
    EXPECT_EQ(names.pageName(0), "index-2.html");
    EXPECT_EQ(names.imagePath(0), "/g/img/index-2");
    EXPECT_EQ(names.pageName(2), "page2-2.html");
    EXPECT_EQ(names.pageName(3), "page3.html") << "there is no third index page";
    ASSERT_EQ(names.distinctLines().size(), 2u);
    EXPECT_EQ(names.distinctLines()[0],
              "/p/index: named index-2, because index.html is a file of the gallery itself");

    project.ImageFolder = "";
    project.Files = {"/p/main.css", "/p/back.png"};
    project.BackgroundImagePath = "/bg/Back.PNG";
    project.ConvertLow = true;
    const OutputNames flat = table(project);
    EXPECT_EQ(flat.imagePath(0), "/g/main-2.css");
    EXPECT_EQ(flat.imagePath(1), "/g/back-2.png") << "the background copy is back.png";
}

// A page style that names every picture ".jpg" and adds a second one for sharp screens.
class JpgEverywhere : public NamingRule {
public:
    SourceOutputs outputsFor(const std::string& source, const std::string& mark) const override {
        const std::string base = SourceBaseName(source) + mark;
        return {"/g/img/" + base + ".jpg",
                "/g/thumbs/" + base + ".jpg",
                base + ".html",
                {"/g/img/" + base + "@2x.jpg"}};
    }
};

TEST(OutputNamesTest, APageStylesOwnRuleIsSettledTheSameWay) {
    const TProject project = galleryWith({"/p/IMG_7.png", "/p/IMG_7.heic", "/q/IMG_7@2x.png"});
    const OutputNames names = OutputNames(project, JpgEverywhere(), NameComparison::Exact);
    EXPECT_EQ(names.imagePath(0), "/g/img/IMG_7.jpg");
    EXPECT_EQ(names.imagePath(1), "/g/img/IMG_7-2.jpg");
    EXPECT_EQ(names.of(1).more, std::vector<std::string>{"/g/img/IMG_7-2@2x.jpg"});
    EXPECT_EQ(names.pageName(1), "IMG_7-2.html");
    // Its image would be the first one's second picture.
    EXPECT_EQ(names.imagePath(2), "/g/img/IMG_7@2x-2.jpg");
    EXPECT_TRUE(names.isOutput("/g/img/IMG_7@2x.jpg"));
}

// Every name of every entry, across a list full of pairs, in both comparisons: no two
// sources ever share a file, and the first of each name keeps the described names.
TEST(OutputNamesTest, NoTwoSourcesEverShareAFile) {
    std::vector<std::string> files;
    const std::vector<std::string> bases = {"a", "A", "a-2", "a-3", "b", "B-2"};
    const std::vector<std::string> extensions = {".jpg", ".JPG", ".png", ""};
    for (int folder = 0; folder < 3; ++folder) {
        for (const auto& base : bases) {
            for (const auto& extension : extensions) {
                files.push_back("/f" + std::to_string(folder) + "/" + base + extension);
            }
        }
    }
    files.push_back(files[5]);
    const TProject project = galleryWith(files);
    for (const NameComparison comparison : {NameComparison::Exact, NameComparison::FoldCase}) {
        const OutputNames names = table(project, comparison);
        std::map<std::string, std::string> owner; // folded key -> source
        for (std::size_t k = 0; k < files.size(); ++k) {
            const SourceOutputs& o = names.of(k);
            std::set<std::string> own;
            for (const std::string& file : {o.image, o.thumb, "/g/" + o.page}) {
                own.insert(ComparisonKey(file, comparison));
            }
            for (const std::string& key : own) {
                const auto [it, isNew] = owner.emplace(key, files[k]);
                EXPECT_TRUE(isNew || it->second == files[k])
                    << key << " of " << files[k] << " and " << it->second;
            }
        }
        EXPECT_EQ(names.imagePath(0), ImageFilePath(project, files[0]));
        EXPECT_EQ(names.imagePath(files.size() - 1), names.imagePath(5));
    }
}

TEST(NameComparisonTest, FoldedKeysFoldLettersOnly) {
    EXPECT_EQ(ComparisonKey("/G/Img_1.JPG", NameComparison::Exact), "/G/Img_1.JPG");
    EXPECT_EQ(ComparisonKey("/G/Img_1.JPG", NameComparison::FoldCase), "/g/img_1.jpg");
    EXPECT_EQ(ComparisonKey("\xC3\x89t\xC3\xA9", NameComparison::FoldCase), "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(ComparisonKey("\xD0\x9C\xD0\x98\xD0\xA0", NameComparison::FoldCase),
              "\xD0\xBC\xD0\xB8\xD1\x80"); // МИР
    EXPECT_EQ(ComparisonKey("\xC5\x81\xC3\x93"
                            "D\xC5\xB9",
                            NameComparison::FoldCase),
              "\xC5\x82\xC3\xB3"
              "d\xC5\xBA"); // ŁÓDŹ
    EXPECT_EQ(ComparisonKey("\xC3\x97\xC3\xDF\xFF", NameComparison::FoldCase),
              "\xC3\x97\xC3\xDF\xFF")
        << "the multiplication sign and bytes that are no UTF-8 stay";
}

TEST(NameComparisonTest, ALinuxFolderComparesExactlyAndKeepsNoProbe) {
    TempFolder tmp;
    EXPECT_EQ(TargetNameComparison(tmp.dir()), NameComparison::Exact);
    EXPECT_TRUE(std::filesystem::is_empty(tmp.dir()));
    EXPECT_EQ(TargetNameComparison(tmp.file("missing/")), NameComparison::Exact);
    ::chmod(tmp.dir().c_str(), 0555); // no probe can be made: the type decides
    EXPECT_EQ(TargetNameComparison(tmp.dir()), NameComparison::Exact);
}

} // namespace
} // namespace fotoplex
