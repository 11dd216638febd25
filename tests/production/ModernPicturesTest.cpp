#include "production/ModernPictures.h"

#include "engine/AlphaFlatten.h"
#include "engine/RasterImage.h"
#include "production/JobFakes.h"
#include "production/MainThreadQueue.h"
#include "production/PictureNaming.h"
#include "production/TResizeImageThread.h"
#include "project/TProject.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

namespace fotoplex {
namespace {

namespace fs = std::filesystem;
using jobtest::ScratchFolder;

TEST(FitBothSides, TheBoxBoundsBothSides) {
    EXPECT_EQ(FitBothSides({3000, 4000}, {640, 480}), (PixelSize{360, 480}))
        << "a portrait in a landscape box";
    EXPECT_EQ(FitBothSides({4000, 3000}, {640, 480}), (PixelSize{640, 480}));
    EXPECT_EQ(FitBothSides({4000, 2000}, {640, 480}), (PixelSize{640, 320})) << "a panorama";
    EXPECT_EQ(FitBothSides({900, 1200}, {120, 120}), (PixelSize{90, 120}));
    EXPECT_EQ(FitBothSides({300, 200}, {640, 480}), (PixelSize{640, 427})) << "enlarged, rounded";
    EXPECT_EQ(FitBothSides({10000, 1}, {120, 120}), (PixelSize{120, 1})) << "never below 1";
    EXPECT_EQ(FitBothSides({0, 0}, {120, 90}), (PixelSize{120, 90})) << "unknown: the box";
}

TEST(SharpSize, TwiceTheBoxNeverPastTheSource) {
    EXPECT_EQ(SharpSize({4000, 3000}, {120, 90}, {120, 120}, true), (PixelSize{240, 180}));
    EXPECT_EQ(SharpSize({3000, 4000}, {360, 480}, {640, 480}, true), (PixelSize{720, 960}));
    EXPECT_EQ(SharpSize({1000, 750}, {640, 480}, {640, 480}, true), (PixelSize{1000, 750}))
        << "a source with fewer pixels than twice offers what it has";
    EXPECT_EQ(SharpSize({640, 480}, {640, 480}, {640, 480}, true), std::nullopt)
        << "nothing sharper to give";
    EXPECT_EQ(SharpSize({300, 200}, {640, 427}, {640, 480}, true), std::nullopt)
        << "an enlarged picture gets no sharp version";
    EXPECT_EQ(SharpSize({4000, 3000}, {120, 120}, {120, 120}, false), (PixelSize{240, 240}))
        << "stretched to the box: twice the box";
    EXPECT_EQ(SharpSize({200, 3000}, {120, 120}, {120, 120}, false), std::nullopt);
}

TEST(PictureNaming, ModernPicturesFromOtherFormatsEndInJpg) {
    TProject project;
    project.TargetDir = "/g/";
    project.ImageFolder = "img/";
    project.ResizeImages = true;
    EXPECT_EQ(PictureFilePath(project, "/p/IMG_0002.heic"), "/g/img/IMG_0002.heic")
        << "the classic style keeps the name";
    project.PageStyle = "modern";
    EXPECT_EQ(PictureFilePath(project, "/p/IMG_0002.heic"), "/g/img/IMG_0002.jpg");
    EXPECT_EQ(PictureFilePath(project, "/p/a.b.PNG"), "/g/img/a.b.jpg");
    EXPECT_EQ(PictureFilePath(project, "/p/Beach.JPEG"), "/g/img/Beach.JPEG");
    EXPECT_EQ(PictureFilePath(project, "/p/scan01"), "/g/img/scan01.jpg");
    project.ResizeImages = false;
    EXPECT_EQ(PictureFilePath(project, "/p/IMG_0002.heic"), "/g/img/IMG_0002.heic")
        << "a copy keeps its format, so it keeps its name";
}

TEST(PictureNaming, TheSharpVersionLiesBeside) {
    EXPECT_EQ(SharpFilePath("/g/thumbs/tn_beach.jpg"), "/g/thumbs/tn_beach@2x.jpg");
    EXPECT_EQ(SharpFilePath("/g/img/my.beach.jpg"), "/g/img/my.beach@2x.jpg");
    EXPECT_EQ(SharpFilePath("/g/a.b/scan"), "/g/a.b/scan@2x") << "a folder's dot is no extension";
}

// A grey JPEG source of the given size, stored turned when an orientation other than 1 is given.
std::string writeSource(const fs::path& file, int width, int height, std::uint8_t orientation) {
    RasterImage image;
    if (orientation != 1) {
        image.FileParams.Markers.push_back(
            {0xE1, {'E',  'x',  'i', 'f', 0, 0, 'I', 'I', 42,          0, 8, 0, 0, 0, 1, 0,
                    0x12, 0x01, 3,   0,   1, 0, 0,   0,   orientation, 0, 0, 0, 0, 0, 0, 0}});
    }
    Picture picture = makePicture(width, height, PixelFormat::Rgb24);
    image.assignPicture(std::move(picture));
    image.FileParams.Quality = 50;
    image.WriteJpegFile(file.string());
    return file.string();
}

TEST(ShapeForPageStyle, TheModernOrderIsTheExactUprightFit) {
    ScratchFolder scratch("shape-for-style");
    const std::string source = writeSource(scratch.path() / "lying.jpg", 400, 300, 6);
    TProject project;
    RasterImage reader;
    WorkOrder order{source, 640, 480, true, 5, 85, false, MetadataChoice::All, std::nullopt};
    ShapeForPageStyle(project, reader, order);
    EXPECT_EQ(order.boxWidth, 640) << "classic: untouched";
    EXPECT_TRUE(order.keepAspect);
    EXPECT_FALSE(order.matte);

    project.PageStyle = "modern";
    project.BackColor = "#102030";
    ShapeForPageStyle(project, reader, order);
    EXPECT_EQ(order.boxWidth, 360) << "the upright picture is a portrait";
    EXPECT_EQ(order.boxHeight, 480);
    EXPECT_FALSE(order.keepAspect);
    ASSERT_TRUE(order.matte);
    EXPECT_EQ(*order.matte, (Rgb{0x10, 0x20, 0x30}));
}

TEST(FlattenOnto, AlphaMixesWithTheBackground) {
    Picture picture = makePicture(3, 1, PixelFormat::Rgb24);
    picture.pixels = {0, 0, 0, 200, 100, 0, 10, 20, 30};
    picture.alpha = {0, 128, 255};
    FlattenOnto(picture, {255, 255, 255});
    EXPECT_TRUE(picture.alpha.empty());
    EXPECT_EQ(picture.pixels,
              (std::vector<std::uint8_t>{255, 255, 255, 227, 177, 127, 10, 20, 30}));
    Picture opaque = makePicture(1, 1, PixelFormat::Rgb24);
    FlattenOnto(opaque, {255, 0, 0});
    EXPECT_EQ(opaque.pixels, (std::vector<std::uint8_t>{0, 0, 0})) << "no alpha: untouched";
}

// A transparent PNG made by the worker with a matte: its clear areas take the matte's colour.
TEST(FlattenOnto, TheWorkerLaysTransparencyOntoTheMatte) {
    ScratchFolder scratch("flatten-worker");
    const std::string source = std::string(FOTOPLEX_SOURCE_DIR) + "/tests/data/png/rgba8.png";
    RasterImage original;
    original.ReadPictureFile(source);
    ASSERT_EQ(original.picture().alpha.size(), 23u * 17u);

    const auto made = [&](std::optional<Rgb> matte) {
        MainThreadQueue queue;
        std::atomic<bool> done{false};
        TResizeImageThread worker(queue, done);
        worker.Source = source;
        worker.Output = (scratch.path() / "out.jpg").string();
        worker.BoxWidth = 23;
        worker.BoxHeight = 17;
        worker.Filter = 7; // nearest: the same pixels at the same size
        worker.Quality = 100;
        worker.Matte = matte;
        worker.Resume();
        while (!done.load(std::memory_order_acquire)) {
            queue.runPending();
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
        EXPECT_FALSE(worker.error());
        RasterImage output;
        output.ReadPictureFile(worker.Output);
        return output.picture();
    };
    // Where the picture is clear the output shows the matte, whatever lay beneath.
    const auto clearAreaError = [&](const Picture& picture, Rgb matte) {
        long total = 0;
        long count = 0;
        for (std::size_t i = 0; i < original.picture().alpha.size(); ++i) {
            if (original.picture().alpha[i] != 0) {
                continue;
            }
            const std::uint8_t* pixel = picture.pixels.data() + 3 * i;
            total += std::abs(pixel[0] - matte.red) + std::abs(pixel[1] - matte.green) +
                     std::abs(pixel[2] - matte.blue);
            count += 3;
        }
        EXPECT_GT(count, 0) << "the fixture has clear pixels";
        return count > 0 ? static_cast<double>(total) / static_cast<double>(count) : 0.0;
    };
    const Rgb white{255, 255, 255};
    const Rgb black{0, 0, 0};
    const Picture onWhite = made(white);
    const Picture onBlack = made(black);
    ASSERT_EQ(onWhite.pixels.size(), original.picture().pixels.size());
    EXPECT_LT(clearAreaError(onWhite, white), 12.0);
    EXPECT_LT(clearAreaError(onBlack, black), 12.0);
    EXPECT_GT(clearAreaError(made(std::nullopt), white), 40.0)
        << "without a matte the hidden colours show";
}

} // namespace
} // namespace fotoplex
