#include "TestImages.h"
#include "base/Error.h"
#include "engine/RasterImage.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fotoplex {
namespace {

using test::dataPath;

// What exiftool says of one tag of a file ("" when it has none or exiftool is missing).
std::string exifTag(const std::string& path, const std::string& tag) {
    std::string out =
        test::commandOutput("exiftool -s -s -s -" + tag + " '" + path + "' 2>/dev/null");
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) {
        out.pop_back();
    }
    return out;
}

class JpegWriting : public ::testing::Test {
protected:
    void SetUp() override {
        if (!test::toolPresent("exiftool") || !test::toolPresent("djpeg")) {
            GTEST_SKIP() << "exiftool and djpeg are needed to look at the written files";
        }
    }

    std::string writeFrom(const std::string& source, const std::string& name) {
        RasterImage image;
        image.ReadPictureFile(dataPath(source));
        image.FileParams.Quality = 95;
        const std::string out = folder.file(name);
        image.WriteJpegFile(out);
        EXPECT_FALSE(image.Incomplete);
        return out;
    }

    test::TempFolder folder;
};

TEST_F(JpegWriting, GreyStaysGreyAndOtherFormatsBecomeYCbCr) {
    EXPECT_EQ(exifTag(writeFrom("jpeg/grey.jpg", "grey.jpg"), "ColorComponents"), "1");
    const std::string fromPng = writeFrom("png/rgb8.png", "png.jpg");
    EXPECT_EQ(exifTag(fromPng, "ColorComponents"), "3");
    EXPECT_EQ(exifTag(fromPng, "YCbCrSubSampling"), "YCbCr4:2:0 (2 2)");
}

TEST_F(JpegWriting, CmykAndYcckSourcesStayCmykAndYcck) {
    EXPECT_EQ(exifTag(writeFrom("jpeg/cmyk.jpg", "cmyk.jpg"), "ColorTransform"),
              "Unknown (RGB or CMYK)");
    EXPECT_EQ(exifTag(folder.file("cmyk.jpg"), "ColorComponents"), "4");
    EXPECT_EQ(exifTag(writeFrom("jpeg/ycck.jpg", "ycck.jpg"), "ColorTransform"), "YCCK");
    EXPECT_EQ(exifTag(folder.file("ycck.jpg"), "ColorComponents"), "4");
}

// A smooth picture with every hue and brightness.
Picture smoothColours() {
    Picture p = makePicture(64, 48, PixelFormat::Rgb24);
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            p.row(y)[3 * x] = static_cast<std::uint8_t>(x * 4);
            p.row(y)[3 * x + 1] = static_cast<std::uint8_t>(y * 5);
            p.row(y)[3 * x + 2] = static_cast<std::uint8_t>(255 - x * 2 - y * 2);
        }
    }
    return p;
}

TEST_F(JpegWriting, InksAreWrittenSoThatAnOutsideReaderSeesTheSameColours) {
    for (const JpegColorSpace space : {JpegColorSpace::Cmyk, JpegColorSpace::Ycck}) {
        RasterImage image;
        image.assignPicture(smoothColours());
        image.FileParams.Quality = 95;
        image.FileParams.ColorSpace = space;
        const std::string out = folder.file("inks.jpg");
        image.WriteJpegFile(out);
        const std::string decoded = folder.file("inks.ppm");
        test::commandOutput("/usr/bin/convert '" + out + "' -colorspace sRGB '" + decoded + "'");
        EXPECT_LE(test::meanDifference(image.picture(), test::loadExpected(decoded)), 2.0);
        // And our own reader gives them back.
        RasterImage back;
        back.ReadPictureFile(out);
        EXPECT_EQ(back.FileParams.ColorSpace, space);
        EXPECT_LE(test::meanDifference(back.picture(), test::loadExpected(decoded)), 1.0);
    }
}

TEST_F(JpegWriting, RgbIsWrittenAsRgbComponents) {
    const std::string out = writeFrom("jpeg/rgb.jpg", "rgb.jpg");
    EXPECT_EQ(exifTag(out, "ColorTransform"), "Unknown (RGB or CMYK)");
    EXPECT_EQ(exifTag(out, "ColorComponents"), "3");
}

TEST_F(JpegWriting, TheExifBlockAndCommentAreCarriedUnchanged) {
    const std::string out = writeFrom("jpeg/markers.jpg", "markers.jpg");
    EXPECT_EQ(exifTag(out, "Make"), "Fotoplex");
    EXPECT_EQ(exifTag(out, "Model"), "TestCam");
    EXPECT_EQ(exifTag(out, "Comment"), "a comment");
    RasterImage source;
    source.ReadPictureFile(dataPath("jpeg/markers.jpg"));
    RasterImage again;
    again.ReadPictureFile(out);
    EXPECT_EQ(again.FileParams.Markers, source.FileParams.Markers);
}

TEST_F(JpegWriting, DensityIsInInchesAndAZeroTakesTheDisplayResolution) {
    RasterImage image(120);
    image.ReadPictureFile(dataPath("png/rgb8.png"));
    image.FileParams.Quality = 80;
    image.FileParams.ResolutionX = 300;
    image.FileParams.ResolutionY = 0;
    const std::string out = folder.file("density.jpg");
    image.WriteJpegFile(out);
    EXPECT_EQ(exifTag(out, "ResolutionUnit"), "inches");
    EXPECT_EQ(exifTag(out, "XResolution"), "300");
    EXPECT_EQ(exifTag(out, "YResolution"), "120");
}

TEST_F(JpegWriting, WithoutADisplayTheResolutionIs96) {
    RasterImage image;
    EXPECT_EQ(image.FileParams.ResolutionX, 96);
    image.ReadPictureFile(dataPath("jpeg/cmyk.jpg")); // gives no density
    image.FileParams.ColorSpace = JpegColorSpace::YCbCr;
    const std::string out = folder.file("d96.jpg");
    image.WriteJpegFile(out);
    EXPECT_EQ(exifTag(out, "XResolution"), "96");
}

TEST_F(JpegWriting, ProgressiveAndSequentialAsAsked) {
    RasterImage image;
    image.ReadPictureFile(dataPath("png/rgb8.png"));
    image.FileParams.Progressive = true;
    image.WriteJpegFile(folder.file("p.jpg"));
    EXPECT_EQ(exifTag(folder.file("p.jpg"), "EncodingProcess"), "Progressive DCT, Huffman coding");
    image.FileParams.Progressive = false;
    image.WriteJpegFile(folder.file("s.jpg"));
    EXPECT_EQ(exifTag(folder.file("s.jpg"), "EncodingProcess"), "Baseline DCT, Huffman coding");
}

TEST_F(JpegWriting, QualityDecidesTheSizeAndHighQualityKeepsThePixels) {
    RasterImage image;
    image.ReadPictureFile(dataPath("jpeg/big.jpg"));
    image.FileParams.Quality = 100;
    image.WriteJpegFile(folder.file("q100.jpg"));
    image.FileParams.Quality = 10;
    image.WriteJpegFile(folder.file("q10.jpg"));
    EXPECT_GT(std::filesystem::file_size(folder.file("q100.jpg")),
              2 * std::filesystem::file_size(folder.file("q10.jpg")));
    RasterImage back;
    back.ReadPictureFile(folder.file("q100.jpg"));
    const std::string decoded = folder.file("q100.ppm");
    test::commandOutput("djpeg -ppm -outfile '" + decoded + "' '" + folder.file("q100.jpg") + "'");
    EXPECT_LE(test::meanDifference(image.picture(), test::loadExpected(decoded)), 2);
}

TEST_F(JpegWriting, TransparentPixelsShowTheirStoredColours) {
    RasterImage image;
    image.ReadPictureFile(dataPath("png/rgba8.png"));
    image.FileParams.Quality = 100;
    image.WriteJpegFile(folder.file("alpha.jpg"));
    RasterImage back;
    back.ReadPictureFile(folder.file("alpha.jpg"));
    // The transparent left columns hold dark stored colours; a blended background would be
    // white or black throughout.
    EXPECT_LE(std::abs(back.picture().row(1)[0] - image.picture().row(1)[0]), 8);
    EXPECT_LE(std::abs(back.picture().row(1)[2] - image.picture().row(1)[2]), 8);
}

TEST_F(JpegWriting, AOneBitPictureIsWrittenWidenedAndStaysOneBit) {
    RasterImage image;
    image.ReadPictureFile(dataPath("png/grey1.png"));
    ASSERT_EQ(image.picture().format, PixelFormat::Bilevel);
    image.FileParams.Quality = 100;
    image.WriteJpegFile(folder.file("bw.jpg"));
    EXPECT_EQ(image.picture().format, PixelFormat::Bilevel);
    RasterImage back;
    back.ReadPictureFile(folder.file("bw.jpg"));
    EXPECT_LE(test::largestDifference(back.picture(),
                                      test::loadExpected(dataPath("png/grey1.expected.pam"))),
              40);
}

TEST(JpegWriteFailures, AnEmptyPictureIsACodecErrorAndLeavesAnEmptyFile) {
    test::TempFolder folder;
    RasterImage image;
    const std::string out = folder.file("empty.jpg");
    try {
        image.WriteJpegFile(out);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "JPeg corrupted file");
    }
    EXPECT_TRUE(image.Incomplete);
    ASSERT_TRUE(std::filesystem::exists(out));
    EXPECT_EQ(std::filesystem::file_size(out), 0u);
}

TEST(JpegWriteFailures, AnOutputThatCannotBeCreatedNamesThePath) {
    RasterImage image;
    image.ReadPictureFile(dataPath("png/rgb8.png"));
    const std::string out = "/nonexistent-folder/out.jpg";
    try {
        image.WriteJpegFile(out);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot create file " + out + ": No such file or directory");
    }
}

TEST(JpegWriteFailures, AnOversizedMarkerIsACodecError) {
    test::TempFolder folder;
    RasterImage image;
    image.ReadPictureFile(dataPath("png/rgb8.png"));
    image.FileParams.Markers.push_back({0xE5, std::vector<std::uint8_t>(70000, 1)});
    EXPECT_THROW(image.WriteJpegFile(folder.file("m.jpg")), Error);
    EXPECT_TRUE(image.Incomplete);
}

} // namespace
} // namespace fotoplex
