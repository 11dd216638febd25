// TIFF pictures an outside corpus found read wrongly: transparency, and headers claiming far
// more than their data.

#include "TestImages.h"
#include "engine/tiff/TiffReader.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>

namespace fotoplex {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Read {
    DecodeResult result;
    Picture picture;
    DecodedInfo info;
};

Read readTiff(const Bytes& data) {
    Read r;
    r.result = decodeTiff(data, r.picture, r.info, false);
    return r;
}

// Alpha kept as a channel, colour divided back out of associated (premultiplied) alpha;
// compared with ImageMagick's decode where a pixel is not wholly transparent.
TEST(TiffAlpha, IsKeptAndTheColourIsNotPremultiplied) {
    for (const char* name : {"tiff-unassoc8", "tiff-assoc8", "tiff-unassoc16", "tiff-assoc16",
                             "tiff-planar8", "tiff-tiled8"}) {
        SCOPED_TRACE(name);
        const Read r =
            readTiff(test::readBytes(test::dataPath(std::string("formats/") + name + ".tif")));
        ASSERT_EQ(r.result.status, DecodeStatus::Complete) << r.result.reason;
        const auto expected =
            test::loadExpected(test::dataPath(std::string("formats/") + name + ".expected.pam"));
        ASSERT_EQ(r.picture.alpha.size(),
                  static_cast<std::size_t>(r.picture.width) * r.picture.height);
        int colour = 0;
        int alpha = 0;
        for (int y = 0; y < r.picture.height; ++y) {
            for (int x = 0; x < r.picture.width; ++x) {
                const int a = r.picture.alpha[static_cast<std::size_t>(y * r.picture.width + x)];
                alpha = std::max(alpha, std::abs(a - expected.alpha(x, y)));
                for (int c = 0; c < 3 && expected.alpha(x, y) > 0; ++c) {
                    colour = std::max(
                        colour, std::abs(r.picture.row(y)[3 * x + c] - expected.rgb(x, y, c)));
                }
            }
        }
        EXPECT_EQ(alpha, 0);
        // Half-transparent pixels lose a little in the premultiplied round trip.
        EXPECT_LE(colour, 2);
        // The opaque right side is exact, not darkened.
        EXPECT_EQ(r.picture.row(0)[3 * 23], expected.rgb(23, 0, 0));
    }
}

// Sample formats libtiff's RGBA conversion refuses (12 and 32-bit integers, floats) or cuts
// (16-bit grey, which must round like 16-bit RGB).
TEST(TiffSamples, UncommonSampleFormatsAreReadAndRounded) {
    const struct {
        const char* name;
        const char* expected;
        int tolerance; // ImageMagick's grey conversion differs by a level here and there
    } cases[] = {
        {"tiff-grey16-steps.tif", "tiff-grey16-steps.expected.pgm", 0},
        {"tiff-grey12.tif", "tiff-grey12.expected.ppm", 1},
        {"tiff-grey32.tif", "tiff-grey32.expected.ppm", 1},
        {"tiff-greyfloat.tif", "tiff-greyfloat.expected.ppm", 1},
        {"tiff-rgbfloat.tif", "tiff-rgbfloat.expected.ppm", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Read r = readTiff(test::readBytes(test::dataPath(std::string("formats/") + c.name)));
        ASSERT_EQ(r.result.status, DecodeStatus::Complete) << r.result.reason;
        const auto expected =
            test::loadExpected(test::dataPath(std::string("formats/") + c.expected));
        EXPECT_LE(test::largestDifference(r.picture, expected), c.tolerance);
    }
}

// A little-endian TIFF of one uncompressed strip holding `stored` bytes (or `pixels`), three
// 8-bit samples a pixel.
Bytes tinyTiff(std::uint32_t width, std::uint32_t height, std::size_t stored,
               std::uint16_t photometric = 2, const Bytes& pixels = {}) {
    Bytes b = {'I', 'I', 42, 0, 8, 0, 0, 0};
    const std::uint32_t dataOffset = 8 + 2 + 9 * 12 + 4 + 6;
    const auto entry = [&](std::uint16_t tag, std::uint16_t type, std::uint32_t count,
                           std::uint32_t value) {
        for (const std::uint32_t v : {std::uint32_t{tag}, std::uint32_t{type}}) {
            b.push_back(static_cast<std::uint8_t>(v));
            b.push_back(static_cast<std::uint8_t>(v >> 8));
        }
        for (const std::uint32_t v : {count, value}) {
            for (int i = 0; i < 4; ++i) {
                b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
            }
        }
    };
    b.insert(b.end(), {9, 0});
    entry(256, 4, 1, width);
    entry(257, 4, 1, height);
    entry(258, 3, 3, dataOffset - 6); // bits per sample: three 8s just before the data
    entry(259, 3, 1, 1);
    entry(262, 3, 1, photometric);
    entry(273, 4, 1, dataOffset);
    entry(277, 3, 1, 3);
    entry(278, 4, 1, height);
    entry(279, 4, 1, static_cast<std::uint32_t>(width * height * 3));
    b.insert(b.end(), {0, 0, 0, 0, 8, 0, 8, 0, 8, 0});
    b.resize(b.size() + stored, 120);
    std::copy(pixels.begin(), pixels.end(), b.end() - static_cast<std::ptrdiff_t>(stored));
    return b;
}

// CIELab without a white point tag is relative to D50: white must come out white (libtiff's
// conversion gave 255,252,222), and colours must land where sRGB puts them.
TEST(TiffLab, ConvertsToSrgbThroughTheWhitePoint) {
    const auto l = [](double v) { return static_cast<std::uint8_t>(std::lround(v * 255 / 100)); };
    const auto ab = [](int v) { return static_cast<std::uint8_t>(static_cast<std::int8_t>(v)); };
    // white; mid grey (L 53.39 is sRGB 128); sRGB red, green and blue in D50 Lab
    const Bytes lab = {l(100), ab(0),    ab(0),   l(53.39), ab(0),    ab(0),  l(54.29), ab(81),
                       ab(70), l(87.82), ab(-79), ab(81),   l(29.57), ab(68), ab(-112)};
    const Read r = readTiff(tinyTiff(5, 1, lab.size(), 8, lab));
    ASSERT_EQ(r.result.status, DecodeStatus::Complete) << r.result.reason;
    const std::uint8_t* p = r.picture.row(0);
    EXPECT_EQ((Bytes{p[0], p[1], p[2]}), (Bytes{255, 255, 255}));
    const Bytes expected = {255, 255, 255, 128, 128, 128, 255, 0, 0, 0, 255, 0, 0, 0, 255};
    for (std::size_t i = 3; i < 6; ++i) {
        EXPECT_NEAR(p[i], expected[i], 1) << "grey sample " << i;
    }
    // Whole-number a and b are up to half a unit off the primaries; near zero, sRGB's curve
    // makes that several levels.
    for (std::size_t i = 6; i < expected.size(); ++i) {
        EXPECT_NEAR(p[i], expected[i], 12) << "sample " << i;
    }
}

TEST(TiffBounds, AHeaderClaimingFarMoreThanItsDataIsRefused) {
    // 262 bytes claiming 65535 x 900: once 350 MB.
    const Bytes bomb = tinyTiff(65535, 900, 262 - 128);
    ASSERT_EQ(bomb.size(), 262u);
    const Read r = readTiff(bomb);
    EXPECT_EQ(r.result.status, DecodeStatus::Failed);
    EXPECT_EQ(r.result.reason, "TIFF: picture larger than its data");
    EXPECT_TRUE(r.picture.empty());
    // The same header with all its data reads; cut to half it still gives what is there.
    EXPECT_EQ(readTiff(tinyTiff(40, 30, 40 * 30 * 3)).result.status, DecodeStatus::Complete);
    EXPECT_EQ(readTiff(tinyTiff(40, 30, 40 * 15 * 3)).result.status, DecodeStatus::Incomplete);
}

} // namespace
} // namespace fotoplex
