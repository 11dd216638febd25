#include "filelist/SourcePreview.h"

#include "FilesPageFakes.h"
#include "base/Error.h"
#include "base/Text.h"

#include <gtest/gtest.h>

namespace fotoplex {
namespace {

void expectPlacement(const PreviewPlacement& placement, int x, int y, int width, int height) {
    EXPECT_EQ(placement.x, x);
    EXPECT_EQ(placement.y, y);
    EXPECT_EQ(placement.width, width);
    EXPECT_EQ(placement.height, height);
}

TEST(FitPreviewTest, LargePhotographIsReducedToTheBoxWidthAndCentred) {
    const PreviewPlacement placement = fitPreview(3000, 2000);
    expectPlacement(placement, 0, 20, 169, 113);
    EXPECT_NEAR(placement.zoom, 169.0 / 3000, 1e-12);
}

TEST(FitPreviewTest, SmallIconIsEnlargedToTheBoxHeightAndCentred) {
    const PreviewPlacement placement = fitPreview(16, 16);
    expectPlacement(placement, 8, 0, 153, 153);
    EXPECT_NEAR(placement.zoom, 153.0 / 16, 1e-12);
}

TEST(FitPreviewTest, WideAndSmallPicturesFitTheWidth) {
    expectPlacement(fitPreview(200, 150), 0, 13, 169, 127);
    expectPlacement(fitPreview(200, 120), 0, 26, 169, 101);
    // Smaller than the box: enlarged, not shown at its own size.
    expectPlacement(fitPreview(100, 75), 0, 13, 169, 127);
}

TEST(FitPreviewTest, TallPictureFitsTheHeight) {
    expectPlacement(fitPreview(480, 640), 27, 0, 115, 153);
    // Exactly the box: drawn as it is.
    expectPlacement(fitPreview(169, 153), 0, 0, 169, 153);
}

TEST(FitPreviewTest, ZoomStopsAtOnePerCent) {
    const PreviewPlacement placement = fitPreview(100000, 10);
    EXPECT_DOUBLE_EQ(placement.zoom, 0.01);
    EXPECT_EQ(placement.width, 1000);
    // Never thinner than one pixel; the box clips what overhangs.
    EXPECT_EQ(placement.height, 1);
    EXPECT_EQ(placement.x, (169 - 1000) / 2);
}

TEST(FitPreviewTest, EmptyPictureDrawsNothing) {
    const PreviewPlacement placement = fitPreview(0, 480);
    EXPECT_EQ(placement.width, 0);
    EXPECT_EQ(placement.height, 0);
    EXPECT_EQ(fitPreview(-5, -5).width, 0);
}

TEST(PreviewInfoTextTest, HalvesRoundUp) {
    EXPECT_EQ(previewInfoText(640, 480, 1280, "."), "Width: 640; Height: 480; Filesize: 1.3 KB");
    // 3.25 KB exactly, which rounding to even would take down; 52 bytes are 0.0508 KB.
    EXPECT_EQ(previewInfoText(1, 1, 3328, "."), "Width: 1; Height: 1; Filesize: 3.3 KB");
    EXPECT_EQ(previewInfoText(1, 1, 1024 * 5 / 100 + 1, "."),
              "Width: 1; Height: 1; Filesize: 0.1 KB");
    EXPECT_EQ(previewInfoText(1, 1, 51, "."), "Width: 1; Height: 1; Filesize: 0.0 KB");
    EXPECT_EQ(previewInfoText(1, 1, 1229, "."), "Width: 1; Height: 1; Filesize: 1.2 KB");
}

TEST(PreviewInfoTextTest, UsesTheLocaleDecimalSeparator) {
    EXPECT_EQ(previewInfoText(3000, 2000, 1280, ","),
              "Width: 3000; Height: 2000; Filesize: 1,3 KB");
    // A separator of more than one byte, as some locales have.
    EXPECT_EQ(previewInfoText(2, 3, 2048, "\xD9\xAB"), "Width: 2; Height: 3; Filesize: 2\xD9\xAB"
                                                       "0 KB");
}

TEST(PreviewInfoTextTest, SizesBeyondTwoGigabytesAndNothing) {
    EXPECT_EQ(previewInfoText(8, 8, 0, "."), "Width: 8; Height: 8; Filesize: 0.0 KB");
    EXPECT_EQ(previewInfoText(8, 8, 3LL * 1024 * 1024 * 1024, "."),
              "Width: 8; Height: 8; Filesize: 3145728.0 KB");
    EXPECT_EQ(previewInfoText(8, 8, 1023 * 1024 + 1023, "."),
              "Width: 8; Height: 8; Filesize: 1024.0 KB");
    EXPECT_EQ(previewInfoText(8, 8, -300, "."), "Width: 8; Height: 8; Filesize: -0.3 KB");
}

TEST(PreviewSourceTest, NothingWithoutSelectionOrWithPreviewOff) {
    const std::vector<std::string> files = {"/p/a.jpg", "/p/b.jpg"};
    EXPECT_EQ(previewSource(files, 1, true), std::optional<std::string>("/p/b.jpg"));
    EXPECT_EQ(previewSource(files, 1, false), std::nullopt);
    EXPECT_EQ(previewSource(files, -1, true), std::nullopt);
    EXPECT_EQ(previewSource(files, 2, true), std::nullopt);
    EXPECT_EQ(previewSource({}, 0, true), std::nullopt);
}

TEST(ShowSourcePreviewTest, ReadsTheSelectedFileThroughTheResolver) {
    testing::TempTree tree;
    const std::string path = tree.file("Shots/Cat.PNG", 1280);
    const std::vector<std::string> files = {"/nowhere/a.jpg", toLowerAscii(path)};
    std::vector<std::string> read;
    const PreviewReader reader = [&](const std::string& file) {
        read.push_back(file);
        return PictureSize{640, 480};
    };

    const PreviewShown shown = showSourcePreview(files, 1, true, reader, ",");
    EXPECT_TRUE(shown.visible);
    EXPECT_EQ(shown.info, "Width: 640; Height: 480; Filesize: 1,3 KB");
    EXPECT_EQ(read, std::vector<std::string>{path});
}

TEST(ShowSourcePreviewTest, HiddenAndEmptyWithoutSelectionOrWithPreviewOff) {
    int reads = 0;
    const PreviewReader reader = [&](const std::string&) {
        ++reads;
        return PictureSize{1, 1};
    };
    const std::vector<std::string> files = {"/p/a.jpg"};
    for (const PreviewShown& shown : {showSourcePreview(files, 0, false, reader, "."),
                                      showSourcePreview(files, -1, true, reader, "."),
                                      showSourcePreview({}, 0, true, reader, ".")}) {
        EXPECT_FALSE(shown.visible);
        EXPECT_EQ(shown.info, "");
    }
    EXPECT_EQ(reads, 0);
}

TEST(ShowSourcePreviewTest, VanishedFileRaisesTheReadersError) {
    const PreviewReader reader = [](const std::string& file) -> PictureSize {
        throw cannotOpenFile(file);
    };
    try {
        showSourcePreview({"/gone/Away.jpg"}, 0, true, reader, ".");
        FAIL() << "no error";
    } catch (const Error& error) {
        // The message names the listed path, not some guess at it.
        EXPECT_STREQ(error.what(), "Cannot open file /gone/Away.jpg");
    }
}

} // namespace
} // namespace fotoplex
