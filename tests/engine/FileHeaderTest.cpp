#include "engine/FileHeader.h"

#include "TestImages.h"
#include "engine/RasterImage.h"

#include <gtest/gtest.h>

namespace fotoplex {
namespace {

using test::dataPath;

struct HeaderCase {
    const char* file;
    FileFormat format;
    int width;
    int height;
    int resolutionX;
    int resolutionY;
};

void PrintTo(const HeaderCase& c, std::ostream* out) {
    *out << c.file;
}

class HeadersOfEveryFormat : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(HeadersOfEveryFormat, GiveSizeResolutionAndFormat) {
    const HeaderCase& c = GetParam();
    RasterImage image;
    image.ReadFileHeader(dataPath(c.file));
    EXPECT_EQ(image.FileParams.Format, c.format);
    EXPECT_EQ(image.FileParams.Width, c.width);
    EXPECT_EQ(image.FileParams.Height, c.height);
    EXPECT_EQ(image.FileParams.ResolutionX, c.resolutionX);
    EXPECT_EQ(image.FileParams.ResolutionY, c.resolutionY);
    EXPECT_EQ(image.width(), 0) << "the picture is not touched";
}

INSTANTIATE_TEST_SUITE_P(
    Files, HeadersOfEveryFormat,
    ::testing::Values(HeaderCase{"jpeg/density-cm.jpg", FileFormat::Jpeg, 23, 17, 300, 300},
                      HeaderCase{"jpeg/exif-inch.jpg", FileFormat::Jpeg, 23, 17, 240, 180},
                      HeaderCase{"jpeg/big.jpg", FileFormat::Jpeg, 96, 80, 0, 0},
                      HeaderCase{"jpeg/truncated.jpg", FileFormat::Jpeg, 96, 80, 0, 0},
                      HeaderCase{"jpeg/header-only.jpg", FileFormat::Jpeg, 23, 17, 0, 0},
                      HeaderCase{"png/rgb8.png", FileFormat::Png, 23, 17, 300, 300},
                      HeaderCase{"png/palette1.png", FileFormat::Png, 23, 17, 0, 0},
                      HeaderCase{"tiff/density-cm.tif", FileFormat::Tiff, 23, 17, 127, 127},
                      HeaderCase{"tiff/bilevel-g4.tif", FileFormat::Tiff, 23, 17, 0, 0},
                      HeaderCase{"headers/jpeg-named.png", FileFormat::Jpeg, 23, 17, 0, 0}));

// The readers of these formats come with their own header mode.
class HeadersOfOwnReaders : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(HeadersOfOwnReaders, GiveSizeAndFormat) {
    const HeaderCase& c = GetParam();
    const auto bytes = test::readBytes(dataPath(c.file));
    ASSERT_EQ(formatFromSignature(bytes), c.format);
    RasterImage image;
    image.ReadFileHeader(dataPath(c.file));
    if (image.FileParams.Format == FileFormat::Unknown) {
        GTEST_SKIP() << "reader not in this build";
    }
    EXPECT_EQ(image.FileParams.Format, c.format);
    EXPECT_EQ(image.FileParams.Width, c.width);
    EXPECT_EQ(image.FileParams.Height, c.height);
    EXPECT_EQ(image.FileParams.ResolutionX, c.resolutionX);
}

INSTANTIATE_TEST_SUITE_P(
    Files, HeadersOfOwnReaders,
    ::testing::Values(HeaderCase{"headers/sample.gif", FileFormat::Gif, 23, 17, 0, 0},
                      HeaderCase{"headers/sample.bmp", FileFormat::Bmp, 23, 17, 72, 72},
                      HeaderCase{"headers/sample.pcx", FileFormat::Pcx, 23, 17, 0, 0},
                      HeaderCase{"headers/sample.ppm", FileFormat::Pnm, 23, 17, 0, 0}));

TEST(FileHeader, SignaturesDecideNotExtensions) {
    using Bytes = std::vector<std::uint8_t>;
    EXPECT_EQ(formatFromSignature(Bytes{0xFF, 0xD8, 0xFF, 0xE0}), FileFormat::Jpeg);
    EXPECT_EQ(formatFromSignature(Bytes{'G', 'I', 'F', '8', '9', 'a'}), FileFormat::Gif);
    EXPECT_EQ(formatFromSignature(Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}),
              FileFormat::Png);
    EXPECT_EQ(formatFromSignature(Bytes{'I', 'I', 42, 0}), FileFormat::Tiff);
    EXPECT_EQ(formatFromSignature(Bytes{'M', 'M', 0, 42}), FileFormat::Tiff);
    EXPECT_EQ(formatFromSignature(Bytes{'B', 'M', 0, 0}), FileFormat::Bmp);
    EXPECT_EQ(formatFromSignature(Bytes{'P', '6', '\n'}), FileFormat::Pnm);
    EXPECT_EQ(formatFromSignature(Bytes{10, 5, 1, 8}), FileFormat::Pcx);
    EXPECT_EQ(formatFromSignature(Bytes{10, 6, 1, 8}), FileFormat::Unknown); // PCX version above 5
    EXPECT_EQ(formatFromSignature(Bytes{'P', '7'}), FileFormat::Unknown);
    EXPECT_EQ(formatFromSignature(Bytes{0xFF, 0xD8}), FileFormat::Unknown);
    EXPECT_EQ(formatFromSignature(Bytes{}), FileFormat::Unknown);
}

TEST(FileHeader, AMissingOrUnknownFileSetsFormatZeroAndKeepsTheSize) {
    RasterImage image;
    image.ReadFileHeader(dataPath("jpeg/big.jpg"));
    image.ReadFileHeader(dataPath("no-such-file.jpg"));
    EXPECT_EQ(image.FileParams.Format, FileFormat::Unknown);
    EXPECT_EQ(image.FileParams.Width, 96);
    EXPECT_EQ(image.FileParams.Height, 80);
    image.ReadFileHeader(dataPath("README.md"));
    EXPECT_EQ(image.FileParams.Format, FileFormat::Unknown);
    EXPECT_EQ(image.FileParams.Width, 96);
    image.ReadFileHeader(dataPath("png")); // a folder
    EXPECT_EQ(image.FileParams.Format, FileFormat::Unknown);
}

TEST(FileHeader, ABrokenHeaderOfAKnownSignatureIsUnknown) {
    test::TempFolder folder;
    test::writeBytes(folder.file("x.png"), {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0});
    RasterImage image;
    image.ReadFileHeader(folder.file("x.png"));
    EXPECT_EQ(image.FileParams.Format, FileFormat::Unknown);
}

TEST(FileHeader, AJpegWithLargeMarkersBeforeItsFrameIsStillRead) {
    // 300 KB of comment markers between the start of image and the rest of the file.
    auto bytes = test::readBytes(dataPath("jpeg/big.jpg"));
    std::vector<std::uint8_t> padded(bytes.begin(), bytes.begin() + 2);
    for (int i = 0; i < 5; ++i) {
        padded.insert(padded.end(), {0xFF, 0xFE, 0xFF, 0xFF});
        padded.insert(padded.end(), 0xFFFD, 'c');
    }
    padded.insert(padded.end(), bytes.begin() + 2, bytes.end());
    test::TempFolder folder;
    test::writeBytes(folder.file("padded.jpg"), padded);
    RasterImage image;
    image.ReadFileHeader(folder.file("padded.jpg"));
    EXPECT_EQ(image.FileParams.Format, FileFormat::Jpeg);
    EXPECT_EQ(image.FileParams.Width, 96);
    EXPECT_EQ(image.FileParams.Height, 80);
}

TEST(FileHeader, ATiffWhoseDirectoryLiesAtTheEndIsStillRead) {
    // A picture larger than the first block read, so its directory lies beyond it.
    test::TempFolder folder;
    const std::string path = folder.file("large.tif");
    const auto bytes = test::readBytes(dataPath("tiff/rgb.tif"));
    ASSERT_LT(bytes.size(), 64u * 1024u); // so make one that is not
    test::commandOutput("/usr/bin/convert -size 300x100 gradient:red-blue -compress none '" + path +
                        "'");
    if (test::readBytes(path).size() < 64u * 1024u) {
        GTEST_SKIP() << "ImageMagick did not make the file";
    }
    RasterImage image;
    image.ReadFileHeader(path);
    EXPECT_EQ(image.FileParams.Format, FileFormat::Tiff);
    EXPECT_EQ(image.FileParams.Width, 300);
    EXPECT_EQ(image.FileParams.Height, 100);
}

} // namespace
} // namespace fotoplex
