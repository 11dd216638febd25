#include "filelist/PictureDialogs.h"

#include "FilesPageFakes.h"
#include "engine/ReaderTable.h"
#include "filelist/BackgroundImage.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>

namespace fotoplex::testing {
namespace {

TEST(PictureDialogsTest, SourceDialogOffersTenFiltersWebImagesFirst) {
    const std::vector<FileFilter>& filters = sourcePictureFilters();
    ASSERT_EQ(filters.size(), 10u);
    EXPECT_EQ(filters[0].caption, "Web Images (*.jpg; *.jpeg; *.gif; *.png)");
    EXPECT_EQ(filters[4].patterns, "*.tif;*.tiff;*.fax");
    EXPECT_EQ(filters[6].caption, "PaintBrush (*.pcx)");
    EXPECT_EQ(filters[7].caption, "Phone and Web Photos (*.heic; *.heif; *.avif; *.webp)");
    EXPECT_EQ(filters[7].patterns, "*.heic;*.heif;*.avif;*.webp");
    EXPECT_EQ(filters[8].caption, "All Supported Image Formats");
    // The formats offered before stay first, in their old order.
    EXPECT_EQ(filters[8].patterns.rfind(
                  "*.jpg;*.jpeg;*.jpe;*.gif;*.pcx;*.bmp;*.dib;*.rle;*.png;*.tif;*.tiff;*.fax;", 0),
              0u);
    EXPECT_EQ(filters[9].patterns, "*.*");
}

// "All Supported" lists every extension with a reader, and nothing without one.
TEST(PictureDialogsTest, AllSupportedNamesEveryExtensionThatIsRead) {
    const std::string all = sourcePictureFilters()[8].patterns + ";";
    std::size_t count = 0;
    for (const std::string& extension : readerExtensions()) {
        EXPECT_NE(all.find("*" + extension + ";"), std::string::npos) << extension;
        ++count;
    }
    EXPECT_EQ(static_cast<std::size_t>(std::count(all.begin(), all.end(), ';')), count);
    for (const char* unread : {"*.wmf;", "*.emf;", "*.g3n;", "*.g3f;"}) {
        EXPECT_EQ(all.find(unread), std::string::npos) << unread;
    }
}

TEST(PictureDialogsTest, BackgroundDialogOffersFiveFiltersAndOneFile) {
    const PictureRequest request = backgroundImageRequest("/srv");
    EXPECT_EQ(request.title, "Select Images...");
    EXPECT_FALSE(request.multiSelect);
    ASSERT_EQ(request.filters.size(), 5u);
    // The first four are those of the source dialog; then all files.
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(request.filters[i].caption, sourcePictureFilters()[i].caption);
        EXPECT_EQ(request.filters[i].patterns, sourcePictureFilters()[i].patterns);
    }
    EXPECT_EQ(request.filters[4].caption, "All Files (*.*)");
}

TEST(BackgroundImageTest, ChosenPictureIsStoredAndMarksTheProjectModified) {
    TProject project;
    project.SourceDir = "/home/ann/Pics";
    ScriptedChooser chooser;
    int modified = 0;
    chooser.answers.push_back({"/home/ann/Backs/Paper.JPG"});
    EXPECT_TRUE(chooseBackgroundImage(project, chooser, [&] { ++modified; }));
    EXPECT_EQ(project.BackgroundImagePath.str(), "/home/ann/Backs/Paper.JPG");
    EXPECT_EQ(modified, 1);
    EXPECT_EQ(chooser.requests.back().folder, "/home/ann/Pics");

    // The next dialog opens where the present background is; a cancel changes nothing.
    chooser.answers.push_back({});
    EXPECT_FALSE(chooseBackgroundImage(project, chooser, [&] { ++modified; }));
    EXPECT_EQ(chooser.requests.back().folder, "/home/ann/Backs");
    EXPECT_EQ(project.BackgroundImagePath.str(), "/home/ann/Backs/Paper.JPG");
    EXPECT_EQ(modified, 1);
}

TEST(BackgroundImageTest, LongPathKeepsItsFirst255Bytes) {
    TProject project;
    ScriptedChooser chooser;
    const std::string longPath = "/" + std::string(300, 'p') + "/b.png";
    chooser.answers.push_back({longPath});
    chooseBackgroundImage(project, chooser, [] {});
    EXPECT_EQ(project.BackgroundImagePath.str(), longPath.substr(0, 255));
}

} // namespace
} // namespace fotoplex::testing
