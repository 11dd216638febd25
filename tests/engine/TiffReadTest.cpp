#include "TestImages.h"
#include "engine/RasterImage.h"

#include <gtest/gtest.h>

namespace fotoplex {
namespace {

using test::dataPath;
using test::loadExpected;

struct TiffCase {
    const char* name;
    int tolerance; // lossy JPEG compression and CMYK conversion may differ by a step
    PixelFormat format;
};

void PrintTo(const TiffCase& c, std::ostream* out) {
    *out << c.name;
}

class TiffVariants : public ::testing::TestWithParam<TiffCase> {};

TEST_P(TiffVariants, MatchTheOutsideDecoder) {
    const TiffCase& c = GetParam();
    RasterImage image;
    image.ReadPictureFile(dataPath(std::string("tiff/") + c.name + ".tif"));
    ASSERT_FALSE(image.Incomplete);
    EXPECT_EQ(image.FileParams.Format, FileFormat::Tiff);
    EXPECT_EQ(image.picture().format, c.format);
    const auto expected = loadExpected(dataPath(std::string("tiff/") + c.name + ".expected.ppm"));
    EXPECT_LE(test::largestDifference(image.picture(), expected), c.tolerance);
}

INSTANTIATE_TEST_SUITE_P(Files, TiffVariants,
                         ::testing::Values(TiffCase{"rgb", 0, PixelFormat::Rgb24},
                                           TiffCase{"rgb-lzw", 0, PixelFormat::Rgb24},
                                           TiffCase{"rgb-packbits", 0, PixelFormat::Rgb24},
                                           TiffCase{"rgb-deflate", 0, PixelFormat::Rgb24},
                                           TiffCase{"rgb-jpeg", 2, PixelFormat::Rgb24},
                                           TiffCase{"rgb-tiled", 0, PixelFormat::Rgb24},
                                           TiffCase{"rgb-separate", 0, PixelFormat::Rgb24},
                                           TiffCase{"rgb-strips", 0, PixelFormat::Rgb24},
                                           TiffCase{"grey", 0, PixelFormat::Rgb24},
                                           TiffCase{"grey16", 1, PixelFormat::Rgb24},
                                           TiffCase{"rgb16", 1, PixelFormat::Rgb24},
                                           TiffCase{"palette", 0, PixelFormat::Rgb24},
                                           TiffCase{"cmyk", 1, PixelFormat::Rgb24},
                                           TiffCase{"bottom-left", 0, PixelFormat::Rgb24},
                                           TiffCase{"bilevel", 0, PixelFormat::Bilevel},
                                           TiffCase{"bilevel-minisblack", 0, PixelFormat::Bilevel},
                                           TiffCase{"bilevel-g3", 0, PixelFormat::Bilevel},
                                           TiffCase{"bilevel-g4", 0, PixelFormat::Bilevel},
                                           TiffCase{"bilevel-tiled", 0, PixelFormat::Rgb24}));

TEST(TiffResolution, ComesFromTheResolutionTags) {
    RasterImage image;
    image.ReadPictureFile(dataPath("tiff/density-inch.tif"));
    EXPECT_EQ(image.FileParams.ResolutionX, 200);
    EXPECT_EQ(image.FileParams.ResolutionY, 200);
    image.ReadPictureFile(dataPath("tiff/density-cm.tif")); // 50 per centimetre
    EXPECT_EQ(image.FileParams.ResolutionX, 127);
    EXPECT_EQ(image.FileParams.ResolutionY, 127);
}

TEST(TiffDamage, ACutFileIsIncomplete) {
    RasterImage image;
    image.ReadPictureFile(dataPath("tiff/truncated.tif"));
    EXPECT_TRUE(image.Incomplete);
}

TEST(TiffNames, FaxExtensionIsReadByTheTiffReader) {
    test::TempFolder folder;
    const std::string path = folder.file("scan.FAX");
    test::writeBytes(path, test::readBytes(dataPath("tiff/bilevel-g4.tif")));
    RasterImage image;
    image.ReadPictureFile(path);
    EXPECT_FALSE(image.Incomplete);
    EXPECT_EQ(image.FileParams.Format, FileFormat::Tiff);
    EXPECT_EQ(image.picture().format, PixelFormat::Bilevel);
}

} // namespace
} // namespace fotoplex
