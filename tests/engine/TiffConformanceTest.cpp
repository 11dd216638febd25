// TIFF pictures an outside corpus found read wrongly: transparency, and headers claiming far
// more than their data; and CMYK TIFF of 16-bit inks or with alpha.

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

// --- CMYK: libtiff's conversion takes 8-bit inks only and drops an alpha sample beside them.

Read readFormats(const std::string& name) {
    return readTiff(test::readBytes(test::dataPath("formats/" + name + ".tif")));
}

int largestAlphaDifference(const Picture& picture, const test::Expected& expected) {
    int largest = 0;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const int a = picture.alpha[static_cast<std::size_t>(y * picture.width + x)];
            largest = std::max(largest, std::abs(a - expected.alpha(x, y)));
        }
    }
    return largest;
}

// Against ImageMagick's decode, contiguous and separate planes, plain, compressed and JPEG.
// 16-bit inks are rounded to 8 bits and then turned into RGB as libtiff turns 8-bit CMYK (its
// product cut down); ImageMagick multiplies the 16-bit inks and rounds once: a level apart at
// most. The 8-bit files go through the same product on both sides. The JPEG's pixels come from
// the same libjpeg on both sides (a level is allowed for another build of it).
TEST(TiffCmyk, InksOf8And16BitsMatchImageMagick) {
    const struct {
        const char* name;
        int tolerance;
        bool alpha;
    } cases[] = {
        {"tiff-cmyk8", 0, false},         {"tiff-cmyk16", 1, false},
        {"tiff-cmyk16-planar", 1, false}, {"tiff-cmyk16-zip", 1, false},
        {"tiff-cmyk-jpeg", 1, false},     {"tiff-cmyka8", 0, true},
        {"tiff-cmyka8-planar", 0, true},  {"tiff-cmyka16", 1, true},
        {"tiff-cmyka16-planar", 1, true}, {"tiff-cmyka16-lzw", 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Read r = readFormats(c.name);
        ASSERT_EQ(r.result.status, DecodeStatus::Complete) << r.result.reason;
        const auto expected = test::loadExpected(test::dataPath(
            std::string("formats/") + c.name + (c.alpha ? ".expected.pam" : ".expected.ppm")));
        EXPECT_LE(test::largestDifference(r.picture, expected), c.tolerance);
        ASSERT_EQ(r.picture.alpha.empty(), !c.alpha);
        if (c.alpha) {
            EXPECT_EQ(largestAlphaDifference(r.picture, expected), 0);
            EXPECT_EQ(r.picture.alpha.front(), 0); // the transparent left quarter
        }
        // Header mode gives the size and leaves the picture alone.
        Picture untouched = makePicture(2, 2, PixelFormat::Rgb24);
        DecodedInfo info;
        const DecodeResult header =
            decodeTiff(test::readBytes(test::dataPath(std::string("formats/") + c.name + ".tif")),
                       untouched, info, true);
        EXPECT_EQ(header.status, DecodeStatus::Complete);
        EXPECT_EQ(info.width, 24);
        EXPECT_EQ(info.height, 18);
        EXPECT_EQ(untouched.width, 2);
    }
}

// Inks stored in 16 bits as exact multiples of 257 give what the 8-bit file gives, and the
// plane layout or compression changes nothing.
TEST(TiffCmyk, SixteenBitInksGiveTheEightBitResult) {
    const Read eight = readFormats("tiff-cmyk8");
    const Read exact = readFormats("tiff-cmyk16-exact");
    ASSERT_EQ(exact.result.status, DecodeStatus::Complete) << exact.result.reason;
    EXPECT_EQ(exact.picture.pixels, eight.picture.pixels);
    const Read sixteen = readFormats("tiff-cmyk16");
    for (const char* name : {"tiff-cmyk16-planar", "tiff-cmyk16-zip"}) {
        EXPECT_EQ(readFormats(name).picture.pixels, sixteen.picture.pixels) << name;
    }
    const Read alpha = readFormats("tiff-cmyka16");
    for (const char* name : {"tiff-cmyka16-planar", "tiff-cmyka16-lzw"}) {
        const Read other = readFormats(name);
        EXPECT_EQ(other.picture.pixels, alpha.picture.pixels) << name;
        EXPECT_EQ(other.picture.alpha, alpha.picture.alpha) << name;
    }
}

// Every cut is refused with the reader's reason or read in part: whole rows, then black ones.
// The compressed files keep their directory in front (strips of 4 rows, separate planes in
// one, alpha in the other), so their cuts show rows; the plain file's directory is at its end.
TEST(TiffCmyk, CutFilesAreIncompleteOrRefused) {
    for (const char* name : {"tiff-cmyk16-zip", "tiff-cmyka16-lzw", "tiff-cmyk16"}) {
        SCOPED_TRACE(name);
        const Bytes data = test::readBytes(test::dataPath(std::string("formats/") + name + ".tif"));
        const Read whole = readTiff(data);
        ASSERT_EQ(whole.result.status, DecodeStatus::Complete);
        const std::size_t rowBytes = whole.picture.rowBytes();
        int incomplete = 0;
        for (std::size_t length = 0; length < data.size(); ++length) {
            const Read r = readTiff(Bytes(data.begin(), data.begin() + static_cast<long>(length)));
            if (r.result.status == DecodeStatus::Failed) {
                EXPECT_EQ(r.result.reason.rfind("TIFF: ", 0), 0u) << "cut at " << length;
                EXPECT_TRUE(r.picture.empty()) << "cut at " << length;
                continue;
            }
            ASSERT_EQ(r.picture.width, 24) << "cut at " << length;
            ASSERT_EQ(r.picture.height, 18) << "cut at " << length;
            ASSERT_EQ(r.picture.alpha.size(), whole.picture.alpha.size()) << "cut at " << length;
            incomplete += r.result.status == DecodeStatus::Incomplete ? 1 : 0;
            bool black = false; // once a row is black, every later one is
            for (std::int32_t y = 0; y < r.picture.height; ++y) {
                const auto* got = r.picture.row(y);
                const bool same = std::equal(got, got + rowBytes, whole.picture.row(y));
                const bool dark = std::all_of(got, got + rowBytes, [](auto v) { return v == 0; });
                EXPECT_TRUE(black ? dark : same || dark) << "cut at " << length << ", row " << y;
                black = black || (dark && !same);
            }
            if (r.result.status == DecodeStatus::Complete) {
                EXPECT_EQ(r.picture.pixels, whole.picture.pixels) << "cut at " << length;
            }
        }
        EXPECT_EQ(incomplete > 0, std::string(name) != "tiff-cmyk16");
    }
}

// Premultiplied alpha has no agreed meaning beside inks: such a 16-bit file is refused, with
// libtiff's reason, as before.
TEST(TiffCmyk, AssociatedAlphaBesideSixteenBitInksIsRefused) {
    Bytes data = test::readBytes(test::dataPath("formats/tiff-cmyka16.tif"));
    ASSERT_GT(data.size(), 8u);
    const auto at = [&](std::size_t i, int n) {
        std::uint32_t v = 0;
        for (int b = n - 1; b >= 0; --b) {
            v = (v << 8) | data.at(i + static_cast<std::size_t>(b));
        }
        return v;
    };
    ASSERT_EQ(data[0], 'I'); // ImageMagick writes little-endian here
    const std::size_t directory = at(4, 4);
    bool patched = false;
    for (std::size_t e = 0; e < at(directory, 2); ++e) {
        const std::size_t entry = directory + 2 + 12 * e;
        if (at(entry, 2) == 338) { // ExtraSamples, one value held in the entry
            ASSERT_EQ(at(entry + 8, 2), 2u);
            data.at(entry + 8) = 1; // associated alpha
            patched = true;
        }
    }
    ASSERT_TRUE(patched);
    const Read r = readTiff(data);
    EXPECT_EQ(r.result.status, DecodeStatus::Failed);
    EXPECT_EQ(r.result.reason.rfind("TIFF: ", 0), 0u) << r.result.reason;
}

// A little-endian TIFF of one uncompressed strip holding `stored` bytes (or `pixels`), three
// (or `samples`, at least three) samples of 8 (or `bits`) bits a pixel.
Bytes tinyTiff(std::uint32_t width, std::uint32_t height, std::size_t stored,
               std::uint16_t photometric = 2, const Bytes& pixels = {}, std::uint16_t samples = 3,
               std::uint16_t bits = 8) {
    Bytes b = {'I', 'I', 42, 0, 8, 0, 0, 0};
    const std::uint32_t dataOffset = 8 + 2 + 9 * 12 + 4 + 2u * samples;
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
    entry(258, 3, samples, dataOffset - 2u * samples); // bits per sample, before the data
    entry(259, 3, 1, 1);
    entry(262, 3, 1, photometric);
    entry(273, 4, 1, dataOffset);
    entry(277, 3, 1, samples);
    entry(278, 4, 1, height);
    entry(279, 4, 1, width * height * samples * bits / 8);
    b.insert(b.end(), {0, 0, 0, 0});
    for (std::uint16_t i = 0; i < samples; ++i) {
        b.insert(b.end(), {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8)});
    }
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

// Each 16-bit ink is rounded to the nearest 8-bit value, (v * 255 + 32767) / 65535, before
// libtiff's 8-bit product: values chosen where cutting them down would give another result.
TEST(TiffCmyk, SixteenBitInksAreRoundedToTheNearestEightBitValue) {
    const std::uint16_t inks[] = {
        257 * 100 + 200,
        0,
        65535,
        0, // C 100.78 -> 101: red 154, green 255, blue 0
        0,
        0,
        0,
        257 * 50 + 129, // K 50.50 -> 51: grey 204
        128,
        128,
        128,
        128, // every ink 0.498 -> 0: white
        257 * 128,
        0,
        257 * 255,
        257 * 128, // exact: red (255 - 128)^2 / 255 = 63.25 -> 63
    };
    Bytes stored;
    for (const std::uint16_t v : inks) {
        stored.insert(stored.end(),
                      {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)});
    }
    const Read r = readTiff(tinyTiff(4, 1, stored.size(), 5, stored, 4, 16));
    ASSERT_EQ(r.result.status, DecodeStatus::Complete) << r.result.reason;
    const std::uint8_t* p = r.picture.row(0);
    EXPECT_EQ(Bytes(p, p + 12), (Bytes{154, 255, 0, 204, 204, 204, 255, 255, 255, 63, 127, 0}));
    EXPECT_TRUE(r.picture.alpha.empty());
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
