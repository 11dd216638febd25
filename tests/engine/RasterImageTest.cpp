#include "engine/RasterImage.h"

#include "TestImages.h"
#include "base/Error.h"
#include "engine/ReaderTable.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fotoplex {
namespace {

using test::dataPath;

Picture numbered(std::int32_t width, std::int32_t height) {
    Picture p = makePicture(width, height, PixelFormat::Rgb24);
    for (std::size_t i = 0; i < p.pixels.size(); ++i) {
        p.pixels[i] = static_cast<std::uint8_t>(i * 7);
    }
    return p;
}

TEST(RasterImageState, ANewImageIsEmptyWithTheStartValues) {
    RasterImage image;
    EXPECT_EQ(image.width(), 0);
    EXPECT_EQ(image.height(), 0);
    EXPECT_TRUE(image.AutoUndo);
    EXPECT_FALSE(image.hasUndoSnapshot());
    EXPECT_EQ(image.FileParams.Format, FileFormat::Unknown);
    EXPECT_EQ(image.FileParams.Quality, 50);
    EXPECT_FALSE(image.FileParams.Progressive);
    EXPECT_EQ(image.FileParams.ColorSpace, JpegColorSpace::YCbCr);
    EXPECT_TRUE(image.FileParams.Markers.empty());
    EXPECT_EQ(image.FileParams.ResolutionX, 96);
    EXPECT_EQ(RasterImage(144).FileParams.ResolutionY, 144);
}

TEST(ReaderChoice, GoesByTheLowerCasedExtension) {
    EXPECT_EQ(lowerCaseExtension("/a.b/photo.JPG"), ".jpg");
    EXPECT_EQ(lowerCaseExtension("/a.b/photo"), "");
    EXPECT_EQ(lowerCaseExtension("photo.tar.Gz"), ".gz");
    EXPECT_EQ(readerForPath("x.JPE"), FileFormat::Jpeg);
    EXPECT_EQ(readerForPath("x.jpeg"), FileFormat::Jpeg);
    EXPECT_EQ(readerForPath("x.Tiff"), FileFormat::Tiff);
    EXPECT_EQ(readerForPath("x.fax"), FileFormat::Tiff);
    EXPECT_EQ(readerForPath("x.dib"), FileFormat::Bmp);
    EXPECT_EQ(readerForPath("x.rle"), FileFormat::Bmp);
    EXPECT_EQ(readerForPath("x.pcx"), FileFormat::Pcx);
    EXPECT_EQ(readerForPath("x.gif"), FileFormat::Gif);
    EXPECT_EQ(readerForPath("x.PXM"), FileFormat::Pnm);
    EXPECT_EQ(readerForPath("x.pbm"), FileFormat::Pnm);
    EXPECT_EQ(readerForPath("x.PNM"), FileFormat::Pnm);
    for (const char* name : {"x.HEIC", "x.heif", "x.hif"}) {
        EXPECT_EQ(readerForPath(name), FileFormat::Heif) << name;
    }
    EXPECT_EQ(readerForPath("x.Avif"), FileFormat::Avif);
    EXPECT_EQ(readerForPath("x.webp"), FileFormat::WebP);
    for (const char* name : {"x.jp2", "x.J2K", "x.jpc"}) {
        EXPECT_EQ(readerForPath(name), FileFormat::Jp2) << name;
    }
    for (const char* name : {"x.tga", "x.targa", "x.vda", "x.icb", "x.vst", "x.WIN"}) {
        EXPECT_EQ(readerForPath(name), FileFormat::Tga) << name;
    }
    EXPECT_EQ(readerForPath("x.ico"), FileFormat::Ico);
    EXPECT_EQ(readerForPath("x.cur"), FileFormat::Ico);
    // Rows of the table without a reader behave as unknown extensions.
    for (const char* name : {"x.g3n", "x.g3f", "x.wmf", "x.emf", "x.txt", "jpg", "dir.jpg/file"}) {
        EXPECT_EQ(readerForPath(name), FileFormat::Unknown) << name;
    }
}

TEST(ReadPictureFile, AnUpperCaseExtensionReadsAsJpeg) {
    test::TempFolder folder;
    for (const char* name : {"PHOTO.JPG", "photo.Jpe"}) {
        test::writeBytes(folder.file(name), test::readBytes(dataPath("jpeg/ycbcr.jpg")));
        RasterImage image;
        image.ReadPictureFile(folder.file(name));
        EXPECT_FALSE(image.Incomplete) << name;
        EXPECT_EQ(image.FileParams.Format, FileFormat::Jpeg) << name;
        EXPECT_EQ(image.width(), 23) << name;
    }
}

TEST(ReadPictureFile, AnUnknownExtensionLeavesThePictureAndSetsIncomplete) {
    RasterImage image;
    image.ReadPictureFile(dataPath("jpeg/ycbcr.jpg"));
    const Picture before = image.picture();
    image.ReadPictureFile(dataPath("README.md"));
    EXPECT_TRUE(image.Incomplete);
    EXPECT_EQ(image.FileParams.Format, FileFormat::Unknown);
    EXPECT_EQ(image.picture().pixels, before.pixels);
}

TEST(ReadPictureFile, AFileThatCannotBeOpenedRaisesWithItsPath) {
    RasterImage image;
    const std::string path = dataPath("jpeg/missing.jpg");
    try {
        image.ReadPictureFile(path);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot open file " + path + ": No such file or directory");
    }
    EXPECT_THROW(image.ReadPictureFile(dataPath("jpeg.png")), Error);
}

TEST(ReadPictureFile, APipeUnderAPictureNameIsRefusedWithoutWaiting) {
    test::TempFolder folder;
    const std::string path = folder.file("pipe.jpg");
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    RasterImage image;
    EXPECT_THROW(image.ReadPictureFile(path), Error);
    image.ReadFileHeader(path);
    EXPECT_EQ(image.FileParams.Format, FileFormat::Unknown);
}

TEST(ReadPictureFile, AFileOfAnotherFormatUnderTheExtensionIsIncomplete) {
    test::TempFolder folder;
    test::writeBytes(folder.file("really-png.jpg"), test::readBytes(dataPath("png/rgb8.png")));
    RasterImage image;
    image.ReadPictureFile(folder.file("really-png.jpg"));
    EXPECT_TRUE(image.Incomplete);
    EXPECT_EQ(image.width(), 0);
}

TEST(Resample, AnEmptyPictureIsLeftAloneWithoutASnapshot) {
    RasterImage image;
    image.Resample(10, 10, rfTriangle);
    EXPECT_EQ(image.width(), 0);
    EXPECT_FALSE(image.hasUndoSnapshot());
}

TEST(Resample, BothDimensionsNegativeChangeNothingButStoreASnapshot) {
    RasterImage image;
    image.assignPicture(numbered(30, 20));
    image.Resample(-1, -1, rfLanczos3);
    EXPECT_EQ(image.width(), 30);
    EXPECT_EQ(image.height(), 20);
    EXPECT_TRUE(image.hasUndoSnapshot());
}

TEST(Resample, ANegativeDimensionFollowsTheAspectRatioTruncated) {
    struct Case {
        int sw, sh, w, h, ew, eh;
    };
    for (const Case c : {Case{1000, 750, 320, -1, 320, 240}, Case{333, 1000, -1, 100, 33, 100},
                         Case{640, 480, -1, 150, 200, 150}, Case{640, 480, 150, -1, 150, 112}}) {
        RasterImage image;
        image.assignPicture(numbered(c.sw, c.sh));
        image.Resample(c.w, c.h, rfNearest);
        EXPECT_EQ(image.width(), c.ew) << c.sw << "x" << c.sh;
        EXPECT_EQ(image.height(), c.eh) << c.sw << "x" << c.sh;
    }
}

TEST(Resample, AZeroDimensionGivesAnEmptyPictureThatCannotBeWritten) {
    test::TempFolder folder;
    for (const auto& [w, h] :
         {std::pair{0, 0}, std::pair{0, 50}, std::pair{50, 0}, std::pair{1, -1}}) {
        RasterImage image;
        image.assignPicture(numbered(30, 200)); // 1 x -1 derives a height of 6; 0 x 50 stays 0
        image.Resample(w, h, rfTriangle);
        if (w == 1) {
            EXPECT_EQ(image.height(), 6);
            continue;
        }
        EXPECT_TRUE(image.picture().empty()) << w << "x" << h;
        EXPECT_TRUE(image.picture().pixels.empty());
        image.FileParams.Quality = 75;
        EXPECT_THROW(image.WriteJpegFile(folder.file("zero.jpg")), Error);
    }
    RasterImage wide;
    wide.assignPicture(numbered(1000, 2));
    wide.Resample(1, -1, rfTriangle); // 1 * 2 div 1000 = 0
    EXPECT_TRUE(wide.picture().empty());
}

TEST(Resample, AHugeSourceCannotOverflowTheAspectArithmetic) {
    RasterImage image;
    image.assignPicture(numbered(60000, 2));
    image.AutoUndo = false;
    image.Resample(-1, 40000, rfNearest); // 60000 * 40000 does not fit 32 bits
    EXPECT_GE(image.width(), 0);
}

TEST(Undo, TwiceAfterOneResampleRestoresThePictureBothTimes) {
    RasterImage image;
    const Picture original = numbered(40, 30);
    image.assignPicture(original);
    image.Resample(20, 15, rfTriangle);
    ASSERT_EQ(image.width(), 20);
    image.Undo();
    EXPECT_EQ(image.width(), 40);
    EXPECT_EQ(image.picture().pixels, original.pixels);
    image.Resample(10, -1, rfTriangle);
    image.Undo();
    image.Undo();
    EXPECT_EQ(image.picture().pixels, original.pixels);
}

TEST(Undo, WithoutASnapshotOrWithAutoUndoOffNothingHappens) {
    RasterImage image;
    image.assignPicture(numbered(40, 30));
    image.Undo();
    EXPECT_EQ(image.width(), 40);
    image.AutoUndo = false;
    image.Resample(20, 15, rfTriangle);
    image.Undo();
    EXPECT_EQ(image.width(), 20);
    EXPECT_FALSE(image.hasUndoSnapshot());
}

TEST(Undo, ANewSnapshotReplacesTheOlderOne) {
    RasterImage image;
    image.assignPicture(numbered(40, 30));
    image.Resample(20, 15, rfTriangle);
    image.Resample(10, 5, rfTriangle);
    image.Undo();
    EXPECT_EQ(image.width(), 20);
}

} // namespace
} // namespace fotoplex
