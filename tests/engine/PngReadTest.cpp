#include "TestImages.h"
#include "engine/RasterImage.h"

#include <gtest/gtest.h>

namespace fotoplex {
namespace {

using test::dataPath;
using test::loadExpected;

// Every PNG variant decodes exactly as ImageMagick decodes it, alpha included.
class PngVariants : public ::testing::TestWithParam<const char*> {};

TEST_P(PngVariants, MatchTheOutsideDecoderPixelForPixel) {
    const std::string name = GetParam();
    RasterImage image;
    image.ReadPictureFile(dataPath("png/" + name + ".png"));
    ASSERT_FALSE(image.Incomplete);
    EXPECT_EQ(image.FileParams.Format, FileFormat::Png);
    const auto expected = loadExpected(dataPath("png/" + name + ".expected.pam"));
    const Picture& p = image.picture();
    EXPECT_EQ(test::largestDifference(p, expected), 0);
    const bool hasAlpha = expected.channels == 2 || expected.channels == 4;
    ASSERT_EQ(!p.alpha.empty(), hasAlpha);
    for (int y = 0; hasAlpha && y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            ASSERT_EQ(p.alpha[static_cast<std::size_t>(y) * p.width + x], expected.alpha(x, y))
                << "at " << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Files, PngVariants,
                         ::testing::Values("palette1", "palette1-white-black", "palette2",
                                           "palette4", "palette8", "palette-trns",
                                           "palette8-interlaced", "grey1", "grey2", "grey4",
                                           "grey8", "grey16", "grey-trns", "grey-alpha8",
                                           "grey-alpha16", "rgb8", "rgb16", "rgb-trns", "rgba8",
                                           "rgba16", "rgb8-interlaced", "rgba8-interlaced"));

TEST(PngPixels, BlackAndWhiteComesOutOneBitAPixelWithSetBitsWhite) {
    RasterImage image;
    image.ReadPictureFile(dataPath("png/grey1.png"));
    const Picture& p = image.picture();
    ASSERT_EQ(p.format, PixelFormat::Bilevel);
    const auto expected = loadExpected(dataPath("png/grey1.expected.pam"));
    const bool white = (p.row(0)[0] & 0x80) != 0;
    EXPECT_EQ(white, expected.rgb(0, 0, 0) == 255);
}

TEST(PngPixels, AWhiteThenBlackPaletteIsOneBitToo) {
    RasterImage image;
    image.ReadPictureFile(dataPath("png/palette1-white-black.png"));
    EXPECT_EQ(image.picture().format, PixelFormat::Bilevel);
    image.ReadPictureFile(dataPath("png/palette1.png")); // two colours that are not black and white
    EXPECT_EQ(image.picture().format, PixelFormat::Rgb24);
}

TEST(PngPixels, ColoursUnderTransparentPixelsStayAsStored) {
    RasterImage image;
    image.ReadPictureFile(dataPath("png/rgba8.png"));
    const Picture& p = image.picture();
    ASSERT_EQ(p.alpha[0], 0); // the left columns are fully transparent
    // Pillow wrote pattern(0, 1) = (3, 15, 40) under the transparent pixel (0, 1).
    EXPECT_EQ(p.row(1)[0], 3);
    EXPECT_EQ(p.row(1)[1], 15);
    EXPECT_EQ(p.row(1)[2], 40);
}

TEST(PngResolution, PhysicalPixelSizeBecomesDotsPerInch) {
    RasterImage image;
    image.ReadPictureFile(dataPath("png/rgb8.png"));
    EXPECT_EQ(image.FileParams.ResolutionX, 300);
    EXPECT_EQ(image.FileParams.ResolutionY, 300);
}

TEST(PngDamage, ACutFileIsIncompleteWithTheRowsReadSoFar) {
    RasterImage image;
    image.ReadPictureFile(dataPath("png/truncated.png"));
    EXPECT_TRUE(image.Incomplete);
    // libpng asks for the cut data chunk whole, so not one row comes out: that is no picture,
    // not a black one.
    EXPECT_EQ(image.width(), 0);
    EXPECT_EQ(image.height(), 0);
    EXPECT_FALSE(image.IncompleteReason.empty());
}

TEST(PngDamage, ABrokenChunkIsIncomplete) {
    RasterImage image;
    image.ReadPictureFile(dataPath("png/damaged.png"));
    EXPECT_TRUE(image.Incomplete);
}

TEST(PngDamage, AHeaderBeyondTheSizeBoundIsRefused) {
    // A valid IHDR for 65536 x 65536 pixels (2^32, above the bound), nothing after it.
    auto bytes = test::readBytes(dataPath("png/rgb8.png"));
    bytes.resize(33);
    const std::uint8_t ihdr[] = {0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00};
    std::copy(std::begin(ihdr), std::end(ihdr), bytes.begin() + 16);
    RasterImage image;
    image.ReadPictureStream(bytes, FileFormat::Png);
    EXPECT_TRUE(image.Incomplete);
    EXPECT_EQ(image.width(), 0);
}

} // namespace
} // namespace fotoplex
