#include "TestImages.h"
#include "engine/RasterImage.h"

#include <fstream>
#include <gtest/gtest.h>
#include <span>

namespace fotoplex {
namespace {

using test::dataPath;
using test::largestDifference;
using test::loadExpected;

struct JpegCase {
    const char* file;
    const char* expected;
    JpegColorSpace colorSpace;
    int tolerance; // two libjpeg builds may differ by a step or two; CMYK goes through ImageMagick
};

void PrintTo(const JpegCase& c, std::ostream* out) {
    *out << c.file;
}

class JpegColourSpaces : public ::testing::TestWithParam<JpegCase> {};

TEST_P(JpegColourSpaces, DecodeToRgbAsTheOutsideToolDoes) {
    const JpegCase& c = GetParam();
    RasterImage image;
    image.ReadPictureFile(dataPath(c.file));
    EXPECT_FALSE(image.Incomplete);
    EXPECT_EQ(image.FileParams.Format, FileFormat::Jpeg);
    EXPECT_EQ(image.FileParams.ColorSpace, c.colorSpace);
    EXPECT_EQ(image.picture().format, PixelFormat::Rgb24);
    EXPECT_EQ(image.FileParams.Width, 23);
    EXPECT_EQ(image.FileParams.Height, 17);
    EXPECT_LE(largestDifference(image.picture(), loadExpected(dataPath(c.expected))), c.tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Files, JpegColourSpaces,
    ::testing::Values(
        JpegCase{"jpeg/ycbcr.jpg", "jpeg/ycbcr.expected.ppm", JpegColorSpace::YCbCr, 1},
        JpegCase{"jpeg/progressive.jpg", "jpeg/progressive.expected.ppm", JpegColorSpace::YCbCr, 1},
        JpegCase{"jpeg/grey.jpg", "jpeg/grey.expected.pgm", JpegColorSpace::Greyscale, 1},
        JpegCase{"jpeg/rgb.jpg", "jpeg/rgb.expected.ppm", JpegColorSpace::Rgb, 1},
        JpegCase{"jpeg/cmyk.jpg", "jpeg/cmyk.expected.ppm", JpegColorSpace::Cmyk, 2},
        JpegCase{"jpeg/ycck.jpg", "jpeg/ycck.expected.ppm", JpegColorSpace::Ycck, 2}));

TEST(JpegResolution, JfifDensityInInchesIsTakenAsItIs) {
    RasterImage image;
    image.ReadPictureFile(dataPath("jpeg/density-inch.jpg"));
    EXPECT_EQ(image.FileParams.ResolutionX, 300);
    EXPECT_EQ(image.FileParams.ResolutionY, 300);
}

TEST(JpegResolution, JfifDensityPerCentimetreBecomesDotsPerInch) {
    RasterImage image;
    image.ReadPictureFile(dataPath("jpeg/density-cm.jpg")); // 118 dots per cm
    EXPECT_EQ(image.FileParams.ResolutionX, 300);
    EXPECT_EQ(image.FileParams.ResolutionY, 300);
}

TEST(JpegResolution, AnAspectOnlyDensityGivesWayToExif) {
    RasterImage image;
    image.ReadPictureFile(dataPath("jpeg/exif-inch.jpg"));
    EXPECT_EQ(image.FileParams.ResolutionX, 240);
    EXPECT_EQ(image.FileParams.ResolutionY, 180);
    image.ReadPictureFile(dataPath("jpeg/exif-cm.jpg")); // 100 and 50 per centimetre
    EXPECT_EQ(image.FileParams.ResolutionX, 254);
    EXPECT_EQ(image.FileParams.ResolutionY, 127);
}

// The JFIF density of a file whose unit byte (offset 13) says "none": X at 14, Y at 16.
std::vector<std::uint8_t> withUnitlessDensity(const std::string& fixture, std::uint8_t x,
                                              std::uint8_t y) {
    std::vector<std::uint8_t> bytes = test::readBytes(dataPath(fixture));
    EXPECT_EQ(std::string(bytes.begin() + 6, bytes.begin() + 10), "JFIF");
    bytes[13] = 0;
    bytes[14] = 0;
    bytes[15] = x;
    bytes[16] = 0;
    bytes[17] = y;
    return bytes;
}

TEST(JpegResolution, ADensityWithoutAUnitIsNoResolution) {
    RasterImage image;
    image.ReadPictureFile(dataPath("jpeg/ycbcr.jpg")); // cjpeg writes 1:1 without a unit
    EXPECT_EQ(image.FileParams.ResolutionX, 0);
    EXPECT_EQ(image.FileParams.ResolutionY, 0);
    image.ReadPictureStream(withUnitlessDensity("jpeg/ycbcr.jpg", 3, 2), FileFormat::Jpeg);
    EXPECT_EQ(image.FileParams.ResolutionX, 0) << "an aspect of 3:2 is not 3 dots per inch";
    EXPECT_EQ(image.FileParams.ResolutionY, 0);
    image.ReadPictureStream(withUnitlessDensity("jpeg/exif-inch.jpg", 3, 2), FileFormat::Jpeg);
    EXPECT_EQ(image.FileParams.ResolutionX, 240) << "the EXIF resolution still counts";
    EXPECT_EQ(image.FileParams.ResolutionY, 180);
}

TEST(JpegResolution, AUnitlessDensityIsWrittenAsTheDisplayResolution) {
    test::TempFolder folder;
    RasterImage image(110);
    image.ReadPictureFile(dataPath("jpeg/ycbcr.jpg"));
    image.FileParams.Quality = 90;
    image.WriteJpegFile(folder.file("out.jpg"));
    RasterImage again;
    again.ReadFileHeader(folder.file("out.jpg"));
    EXPECT_EQ(again.FileParams.ResolutionX, 110);
    EXPECT_EQ(again.FileParams.ResolutionY, 110);
}

TEST(JpegResolution, NoDensityAtAllIsZero) {
    RasterImage image;
    image.ReadPictureFile(dataPath("jpeg/cmyk.jpg")); // no JFIF marker, no EXIF
    EXPECT_EQ(image.FileParams.ResolutionX, 0);
    EXPECT_EQ(image.FileParams.ResolutionY, 0);
}

TEST(JpegMarkers, CommentAndApplicationMarkersAreKeptInFileOrderWithoutTheLeadingApp0) {
    RasterImage image;
    image.ReadPictureFile(dataPath("jpeg/markers.jpg"));
    // exiftool put its EXIF block (APP1) after the JFIF APP0 and the comment after that.
    std::vector<std::uint8_t> codes;
    for (const JpegMarker& m : image.FileParams.Markers) {
        codes.push_back(m.code);
    }
    ASSERT_EQ(codes, (std::vector<std::uint8_t>{0xE1, 0xFE}));
    const auto& exif = image.FileParams.Markers[0].bytes;
    ASSERT_GE(exif.size(), 6u);
    EXPECT_EQ(std::string(exif.begin(), exif.begin() + 4), "Exif");
    EXPECT_EQ(std::string(image.FileParams.Markers[1].bytes.begin(),
                          image.FileParams.Markers[1].bytes.end()),
              "a comment");
}

TEST(JpegMarkers, OtherFormatsClearTheMarkersButKeepTheColourSpace) {
    RasterImage image;
    image.ReadPictureFile(dataPath("jpeg/grey.jpg"));
    image.ReadPictureFile(dataPath("jpeg/markers.jpg"));
    ASSERT_FALSE(image.FileParams.Markers.empty());
    image.FileParams.ColorSpace = JpegColorSpace::Cmyk;
    image.ReadPictureFile(dataPath("png/rgb8.png"));
    EXPECT_TRUE(image.FileParams.Markers.empty());
    EXPECT_EQ(image.FileParams.ColorSpace, JpegColorSpace::Cmyk);
}

TEST(JpegDamage, ACutFileKeepsTheRowsBeforeTheCutAndIsIncomplete) {
    RasterImage image;
    image.ReadPictureFile(dataPath("jpeg/truncated.jpg"));
    EXPECT_TRUE(image.Incomplete);
    ASSERT_EQ(image.width(), 96);
    ASSERT_EQ(image.height(), 80);
    const auto expected = loadExpected(dataPath("jpeg/big.expected.ppm"));
    const Picture& p = image.picture();
    // The first rows are decoded as the whole file decodes them, the last rows are black.
    for (int x = 0; x < 96; ++x) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_LE(std::abs(p.row(0)[3 * x + c] - expected.rgb(x, 0, c)), 1);
            EXPECT_EQ(p.row(79)[3 * x + c], 0);
        }
    }
}

TEST(JpegDamage, CorruptDataIsIncompleteButGivesAFullSizePicture) {
    RasterImage image;
    image.ReadPictureFile(dataPath("jpeg/damaged.jpg"));
    EXPECT_TRUE(image.Incomplete);
    EXPECT_EQ(image.width(), 96);
    EXPECT_EQ(image.height(), 80);
}

TEST(JpegDamage, DataThatIsNoJpegGivesAnEmptyIncompletePicture) {
    test::TempFolder folder;
    const std::string path = folder.file("not.jpg");
    test::writeBytes(path, {'h', 'e', 'l', 'l', 'o'});
    RasterImage image;
    image.ReadPictureFile(dataPath("jpeg/ycbcr.jpg"));
    image.ReadPictureFile(path);
    EXPECT_TRUE(image.Incomplete);
    EXPECT_EQ(image.width(), 0);
    EXPECT_EQ(image.FileParams.Format, FileFormat::Unknown);
}

TEST(JpegStream, ReadsTheSamePictureAsTheFile) {
    const auto bytes = test::readBytes(dataPath("jpeg/markers.jpg"));
    RasterImage fromStream;
    fromStream.ReadPictureStream(bytes, FileFormat::Jpeg);
    RasterImage fromFile;
    fromFile.ReadPictureFile(dataPath("jpeg/markers.jpg"));
    EXPECT_FALSE(fromStream.Incomplete);
    EXPECT_EQ(fromStream.picture().pixels, fromFile.picture().pixels);
    EXPECT_EQ(fromStream.FileParams.Markers, fromFile.FileParams.Markers);
}

// A file cut where its scan begins gives no row at all: that is no picture, not a black one.
// Cut further on, the rows read so far are kept.
TEST(JpegDamage, ACutBeforeTheFirstRowIsNoPicture) {
    const auto whole = test::readBytes(dataPath("jpeg/rgb.jpg"));
    std::size_t scan = 0;
    for (std::size_t i = 0; i + 3 < whole.size(); ++i) {
        if (whole[i] == 0xFF && whole[i + 1] == 0xDA) {
            scan = i + 2 + (std::size_t{whole[i + 2]} << 8) + whole[i + 3];
            break;
        }
    }
    ASSERT_GT(scan, 0u);
    RasterImage image;
    image.ReadPictureStream(std::span(whole).first(scan), FileFormat::Jpeg);
    EXPECT_TRUE(image.Incomplete);
    EXPECT_EQ(image.width(), 0);
    EXPECT_TRUE(image.picture().pixels.empty());
    EXPECT_EQ(image.FileParams.Format, FileFormat::Unknown);

    image.ReadPictureStream(std::span(whole).first(whole.size() - 40), FileFormat::Jpeg);
    EXPECT_TRUE(image.Incomplete);
    EXPECT_EQ(image.width(), 23);
    EXPECT_EQ(image.FileParams.Format, FileFormat::Jpeg);
}

TEST(JpegStream, AStreamOfNoKnownFormatLeavesThePicture) {
    RasterImage image;
    image.ReadPictureFile(dataPath("jpeg/ycbcr.jpg"));
    const auto bytes = test::readBytes(dataPath("jpeg/ycbcr.jpg"));
    image.ReadPictureStream(bytes, FileFormat::Unknown);
    EXPECT_TRUE(image.Incomplete);
    EXPECT_EQ(image.FileParams.Format, FileFormat::Unknown);
    EXPECT_EQ(image.width(), 23);
}

TEST(JpegCameraPhoto, ReadsAtFullSizeWithItsExif) {
    const std::string path = std::string(FOTOPLEX_SHARED_DIR) + "/photos/camera/FreshFlower.jpg";
    if (!std::ifstream(path)) {
        GTEST_SKIP() << "camera photographs absent";
    }
    RasterImage image;
    image.ReadPictureFile(path);
    EXPECT_FALSE(image.Incomplete);
    EXPECT_EQ(image.width(), 1600);
    EXPECT_EQ(image.height(), 1203);
}

} // namespace
} // namespace fotoplex
