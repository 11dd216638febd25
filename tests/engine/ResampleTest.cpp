// The resampling cases that are easy to get wrong, checked against values worked out by hand
// from the filter definitions.
#include "engine/Resample.h"

#include "engine/Picture.h"
#include "engine/resample/AxisWeights.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace fotoplex {
namespace {

Picture rgbRow(const std::vector<int>& values) {
    // One row; each value fills all three channels, scaled differently per channel so that
    // a channel mix-up shows.
    Picture p = makePicture(static_cast<std::int32_t>(values.size()), 1, PixelFormat::Rgb24);
    for (std::size_t x = 0; x < values.size(); ++x) {
        p.pixels[3 * x] = static_cast<std::uint8_t>(values[x]);
        p.pixels[3 * x + 1] = static_cast<std::uint8_t>(values[x] / 2);
        p.pixels[3 * x + 2] = static_cast<std::uint8_t>(255 - values[x]);
    }
    return p;
}

// The same values down one column.
Picture rgbColumn(const std::vector<int>& values) {
    Picture row = rgbRow(values);
    row.height = row.width;
    row.width = 1;
    return row;
}

std::vector<int> channel(const Picture& p, int c) {
    std::vector<int> out;
    for (std::size_t i = c; i < p.pixels.size(); i += 3) {
        out.push_back(p.pixels[i]);
    }
    return out;
}

Picture randomRgb(int w, int h, unsigned seed) {
    std::mt19937 random(seed);
    Picture p = makePicture(w, h, PixelFormat::Rgb24);
    for (auto& byte : p.pixels) {
        byte = static_cast<std::uint8_t>(random());
    }
    return p;
}

Picture randomBilevel(int w, int h, unsigned seed) {
    std::mt19937 random(seed);
    Picture p = makePicture(w, h, PixelFormat::Bilevel);
    for (auto& byte : p.pixels) {
        byte = static_cast<std::uint8_t>(random());
    }
    return p;
}

bool bit(const Picture& p, int x, int y) {
    return (p.row(y)[x / 8] & (0x80 >> (x % 8))) != 0;
}

// Three weights (left, self, right) applied along a row. Mirroring reflects index -1 onto 1
// but index n onto n - 1: the last pixel is its own right-hand neighbour.
std::vector<int> threeTap(const std::vector<int>& v, int side, int centre) {
    std::vector<int> out;
    const int n = static_cast<int>(v.size());
    for (int i = 0; i < n; ++i) {
        const int left = v[i == 0 ? 1 : i - 1];
        const int right = v[i == n - 1 ? n - 1 : i + 1];
        out.push_back((side * left + centre * v[i] + side * right) / (2 * side + centre));
    }
    return out;
}

TEST(ResampleSameSize, InterpolatingFiltersReturnThePictureUnchanged) {
    const Picture source = randomRgb(23, 17, 1);
    for (const auto filter : {rfTriangle, rfHermite, rfLanczos3, rfNearest, rfLinear}) {
        const Picture result = resamplePicture(source, 23, 17, filter);
        EXPECT_EQ(result.pixels, source.pixels) << "filter " << int{filter};
        EXPECT_EQ(result.format, PixelFormat::Rgb24);
    }
}

TEST(ResampleSameSize, SmoothingFiltersUseTheirRoundedCentreAndSideWeights) {
    const std::vector<int> values = {0, 255, 10, 200, 90, 91, 3, 250};
    struct Case {
        TResampleFilter filter;
        int side;
        int centre;
    };
    for (const Case c :
         {Case{rfBSpline, 43, 171}, Case{rfBell, 32, 192}, Case{rfMitchell, 14, 228}}) {
        for (int ch = 0; ch < 3; ++ch) {
            const std::vector<int> in = channel(rgbRow(values), ch);
            const std::vector<int> expected = threeTap(in, c.side, c.centre);
            EXPECT_EQ(channel(resamplePicture(rgbRow(values), 8, 1, c.filter), ch), expected)
                << "filter " << int{c.filter} << " along the row";
            EXPECT_EQ(channel(resamplePicture(rgbColumn(values), 1, 8, c.filter), ch), expected)
                << "filter " << int{c.filter} << " down the column";
        }
    }
}

TEST(ResampleSameSize, SmoothingActsOnBothAxesInTurnWithMirroredEdges) {
    // A 3 x 3 picture with one white pixel in the middle, BSpline. Row pass on the middle
    // row: pixel 0 reads pixel 1 on both sides, pixel 2 reads pixel 1 and itself. Column pass:
    // the same on each column.
    Picture source = makePicture(3, 3, PixelFormat::Rgb24);
    std::fill_n(source.pixels.begin() + 12, 3, 255);
    const Picture result = resamplePicture(source, 3, 3, rfBSpline);
    const std::vector<int> row = {86 * 255 / 257, 171 * 255 / 257, 43 * 255 / 257};
    std::vector<int> expected;
    for (const int factor : {86, 171, 43}) {
        for (const int v : row) {
            expected.push_back(factor * v / 257);
        }
    }
    EXPECT_EQ(channel(result, 1), expected);
}

TEST(ResampleEnlarge, TriangleFromTwoPixelsToFour) {
    const int p0 = 40;
    const int p1 = 240;
    const Picture result = resamplePicture(rgbRow({p0, p1}), 4, 1, rfTriangle);
    EXPECT_EQ(channel(result, 0),
              (std::vector<int>{p0, (171 * p0 + 85 * p1) / 256, (85 * p0 + 171 * p1) / 256, p1}));
    EXPECT_EQ(channel(result, 2),
              (std::vector<int>{255 - p0, (171 * (255 - p0) + 85 * (255 - p1)) / 256,
                                (85 * (255 - p0) + 171 * (255 - p1)) / 256, 255 - p1}));
}

TEST(ResampleReduce, NearestBoxesAreCentredOnTheEndPixelsAndMirrored) {
    const std::vector<int> p = {10, 100, 160, 250};
    const Picture result = resamplePicture(rgbRow(p), 2, 1, rfNearest);
    EXPECT_EQ(channel(result, 0), (std::vector<int>{(85 * p[1] + 85 * p[0] + 85 * p[1]) / 255,
                                                    (85 * p[2] + 85 * p[3] + 85 * p[3]) / 255}));
}

TEST(ResampleReduce, VeryStrongReductionLosesEveryWeightAndGivesBlack) {
    Picture white = makePicture(4000, 2, PixelFormat::Rgb24);
    std::fill(white.pixels.begin(), white.pixels.end(), 255);
    const Picture result = resamplePicture(white, 8, 2, rfTriangle);
    ASSERT_EQ(result.pixels.size(), 8u * 2 * 3);
    EXPECT_EQ(result.pixels, std::vector<std::uint8_t>(8 * 2 * 3, 0));
}

TEST(ResampleReduce, AnAreaOfOneColourKeepsItExactly) {
    Picture flat = makePicture(97, 61, PixelFormat::Rgb24);
    for (std::size_t i = 0; i < flat.pixels.size(); i += 3) {
        flat.pixels[i] = 201;
        flat.pixels[i + 1] = 7;
        flat.pixels[i + 2] = 255;
    }
    for (int f = 1; f <= 9; ++f) {
        for (const auto& [w, h] : {std::pair{13, 9}, std::pair{97, 30}, std::pair{250, 140}}) {
            const Picture result = resamplePicture(flat, w, h, static_cast<TResampleFilter>(f));
            for (std::size_t i = 0; i < result.pixels.size(); i += 3) {
                ASSERT_EQ(result.pixels[i], 201) << "filter " << f << " to " << w << "x" << h;
                ASSERT_EQ(result.pixels[i + 1], 7);
                ASSERT_EQ(result.pixels[i + 2], 255);
            }
        }
    }
}

TEST(ResampleFastLinear, FourColumnsToTwoOverlapTheBoxesAndNeverReadTheLast) {
    const std::vector<int> p = {30, 60, 200, 255};
    const Picture result = resamplePicture(rgbRow(p), 2, 1, rfFastLinear);
    EXPECT_EQ(channel(result, 0), (std::vector<int>{(p[0] + p[1] + p[2]) / 3, p[2]}));
}

TEST(ResampleFastLinear, KeepingTheWidthAveragesEachPixelWithItsRightNeighbour) {
    const std::vector<int> p = {30, 61, 200, 255, 9};
    const Picture source = rgbRow(p);
    // The height doubles by interpolation; with one source row every row is the same.
    const Picture result = resamplePicture(source, 5, 2, rfFastLinear);
    const std::vector<int> row = {(p[0] + p[1]) / 2, (p[1] + p[2]) / 2, (p[2] + p[3]) / 2,
                                  (p[3] + p[4]) / 2, p[4]};
    std::vector<int> expected = row;
    expected.insert(expected.end(), row.begin(), row.end());
    EXPECT_EQ(channel(result, 0), expected);
}

TEST(ResampleFastLinear, EnlargingInterpolatesWith17BitFractionsRoundingDown) {
    // 2 -> 3 columns: ratio 1.5, column 1 sits at 2/3 between the pixels.
    const Picture result = resamplePicture(rgbRow({200, 10}), 3, 1, rfFastLinear);
    const int fraction = static_cast<int>((1 / 1.5) * 131072);
    const int down = 200 + (((10 - 200) * fraction) >> 17); // rounds toward minus infinity
    EXPECT_EQ(down, 73);
    EXPECT_EQ(channel(result, 0), (std::vector<int>{200, down, 10}));
}

TEST(ResampleFastLinear, BoxesOfMillionsOfPixelsStillAverageExactly) {
    // Each box sums 9 million values of 255, beyond what 32 bits hold.
    Picture longRow = makePicture(18000000, 1, PixelFormat::Rgb24);
    std::fill(longRow.pixels.begin(), longRow.pixels.end(), 255);
    EXPECT_EQ(resamplePicture(longRow, 2, 1, rfFastLinear).pixels,
              std::vector<std::uint8_t>(6, 255));
    Picture longColumn = longRow;
    longColumn.width = 1;
    longColumn.height = 18000000;
    EXPECT_EQ(resamplePicture(longColumn, 1, 2, rfFastLinear).pixels,
              std::vector<std::uint8_t>(6, 255));
}

TEST(ResampleFastLinear, SameSizeCopiesBothFormatsExactly) {
    const Picture rgb = randomRgb(13, 7, 3);
    const Picture bilevel = randomBilevel(13, 7, 4);
    const Picture rgbCopy = resamplePicture(rgb, 13, 7, rfFastLinear);
    EXPECT_EQ(rgbCopy.format, PixelFormat::Rgb24);
    EXPECT_EQ(rgbCopy.pixels, rgb.pixels);
    const Picture bilevelCopy = resamplePicture(bilevel, 13, 7, rfFastLinear);
    EXPECT_EQ(bilevelCopy.format, PixelFormat::Bilevel);
    EXPECT_EQ(bilevelCopy.pixels, bilevel.pixels);
}

TEST(ResampleFastLinear, BilevelReducedOnBothAxesIsAnAreaAverage) {
    // 4 x 4 to 2 x 2: gx = gy = 2. Pixel (0, 0) covers columns 0 ... 1 and rows 0 ... 1;
    // pixel (1, 1) columns 1 ... 3 and rows 1 ... 3.
    Picture source = makePicture(4, 4, PixelFormat::Bilevel);
    source.pixels = {0b10000000, 0b01000000, 0b00110000, 0b00010000};
    const Picture result = resamplePicture(source, 2, 2, rfFastLinear);
    ASSERT_EQ(result.format, PixelFormat::Rgb24);
    // Set pixels: (0,0), (1,1), (2,2), (3,2), (3,3).
    const int topLeft = 255 * 2 / 4;
    const int bottomRight = 255 * 4 / 9;
    EXPECT_EQ(result.pixels[0], topLeft);
    EXPECT_EQ(result.pixels[1], topLeft);
    EXPECT_EQ(result.pixels[3 * 3], bottomRight);
    EXPECT_EQ(result.pixels[3 * 3 + 2], bottomRight);
}

TEST(ResampleFastLinear, BilevelWithOneAxisEnlargedInterpolatesBothAxes) {
    // 4 x 1 to 2 x 2: the width halves, yet columns are picked at source positions 0 and 2
    // (no box average); the height doubles and repeats the only row.
    Picture source = makePicture(4, 1, PixelFormat::Bilevel);
    source.pixels = {0b01100000}; // black, white, white, black
    const Picture result = resamplePicture(source, 2, 2, rfFastLinear);
    ASSERT_EQ(result.format, PixelFormat::Rgb24);
    EXPECT_EQ(result.pixels,
              (std::vector<std::uint8_t>{0, 0, 0, 255, 255, 255, 0, 0, 0, 255, 255, 255}));
    // 3 x 1 to 2 x 2 puts column 1 at source position 1.5: half way between white and black.
    source = makePicture(3, 1, PixelFormat::Bilevel);
    source.pixels = {0b01000000};
    const Picture half = resamplePicture(source, 2, 2, rfFastLinear);
    EXPECT_EQ(half.pixels[3], 255 + ((0 - 255) * 65536 >> 17));
}

TEST(ResampleBilevel, NoneKeepsOneBitAPixelAndOnlySourcePixels) {
    const Picture source = randomBilevel(10, 6, 5);
    const Picture result = resamplePicture(source, 25, 3, rfNone);
    ASSERT_EQ(result.format, PixelFormat::Bilevel);
    ASSERT_EQ(result.pixels.size(), 4u * 3);
    // Enlarged columns repeat in runs of two or three; row y takes source row 2y + 1.
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 25; ++x) {
            EXPECT_EQ(bit(result, x, y), bit(source, (2 * x + 1) * 10 / 50, 2 * y + 1));
        }
    }
}

TEST(ResampleBilevel, FilteredResultsAreGreyWithEqualChannels) {
    const Picture source = randomBilevel(19, 11, 6);
    for (int f = 1; f <= 9; ++f) {
        const Picture result = resamplePicture(source, 12, 30, static_cast<TResampleFilter>(f));
        ASSERT_EQ(result.format, PixelFormat::Rgb24) << "filter " << f;
        for (std::size_t i = 0; i < result.pixels.size(); i += 3) {
            ASSERT_EQ(result.pixels[i], result.pixels[i + 1]) << "filter " << f;
            ASSERT_EQ(result.pixels[i], result.pixels[i + 2]) << "filter " << f;
        }
    }
    // Without blending the grey is exactly 0 or 255.
    const Picture same = resamplePicture(source, 19, 11, rfTriangle);
    for (int y = 0; y < 11; ++y) {
        for (int x = 0; x < 19; ++x) {
            EXPECT_EQ(same.row(y)[3 * x], bit(source, x, y) ? 255 : 0);
        }
    }
}

TEST(ResampleLimits, RefusedSizesReturnTheSourceUnchanged) {
    Picture source = randomRgb(5, 4, 7);
    source.alpha.assign(20, 128);
    for (const auto& [w, h] : {std::pair{0, 4}, std::pair{5, 0}, std::pair{-1, 4},
                               std::pair{1 << 20, 1 << 20}, std::pair{INT32_MAX, 1}}) {
        const Picture result = resamplePicture(source, w, h, rfLanczos3);
        EXPECT_EQ(result.width, 5);
        EXPECT_EQ(result.height, 4);
        EXPECT_EQ(result.pixels, source.pixels);
        EXPECT_EQ(result.alpha, source.alpha);
    }
    Picture broken = source;
    broken.pixels.resize(10); // shorter than its size needs
    EXPECT_EQ(resamplePicture(broken, 3, 3, rfTriangle).pixels, broken.pixels);
}

TEST(ResampleLimits, OneByAHundredThousandWorksForEveryFilter) {
    const Picture source = randomRgb(64, 48, 8);
    for (int f = 0; f <= 9; ++f) {
        const Picture result = resamplePicture(source, 1, 100000, static_cast<TResampleFilter>(f));
        EXPECT_EQ(result.width, 1);
        EXPECT_EQ(result.height, 100000);
        EXPECT_EQ(result.pixels.size(), 300000u);
    }
}

TEST(ResampleLimits, TallSourceStretchedWideIsDoneInBandsWithTheSameResult) {
    // The intermediate raster (destination width x source height) would hold 1.7 x 10^7
    // pixels, so it is made in bands of columns. A one-pixel-wide source gives every column
    // the value of the source column itself, so every column must equal the 1-wide result.
    const Picture source = randomRgb(1, 17000, 9);
    const Picture wide = resamplePicture(source, 1000, 100, rfTriangle);
    const Picture narrow = resamplePicture(source, 1, 100, rfTriangle);
    ASSERT_EQ(wide.width, 1000);
    ASSERT_EQ(narrow.height, 100);
    int nonBlack = 0;
    for (int y = 0; y < 100; ++y) {
        nonBlack += narrow.row(y)[0] != 0 ? 1 : 0;
        for (int x = 0; x < 1000; ++x) {
            ASSERT_EQ(wide.row(y)[3 * x], narrow.row(y)[0]) << x << "," << y;
            ASSERT_EQ(wide.row(y)[3 * x + 2], narrow.row(y)[2]) << x << "," << y;
        }
    }
    EXPECT_GT(nonBlack, 50);
}

TEST(ResampleThreads, AnyNumberOfThreadsGivesTheSameBytes) {
    // Row ranges of uneven length (odd heights, more threads than destination rows), both
    // pixel formats, enlarging and reducing, a filter wide enough to reach across ranges.
    struct Case {
        Picture source;
        std::int32_t width;
        std::int32_t height;
        TResampleFilter filter;
    };
    const std::vector<Case> cases = {
        {randomRgb(97, 83, 21), 31, 17, rfLanczos3},
        {randomRgb(97, 83, 22), 211, 190, rfBell},
        {randomRgb(40, 5, 23), 13, 3, rfMitchell},
        {randomBilevel(77, 61, 24), 20, 29, rfTriangle},
        {randomRgb(9, 300, 25), 5, 2, rfBSpline},
    };
    for (const Case& c : cases) {
        const Picture one = resamplePicture(c.source, c.width, c.height, c.filter, 1);
        for (const std::int32_t threads : {2, 3, 4, 7, 64}) {
            const Picture many = resamplePicture(c.source, c.width, c.height, c.filter, threads);
            ASSERT_EQ(many.width, one.width);
            ASSERT_EQ(many.height, one.height);
            EXPECT_EQ(many.pixels, one.pixels) << c.width << "x" << c.height << " on " << threads;
        }
    }
}

TEST(ResampleThreads, BandsOfColumnsAndRangesOfRowsTogether) {
    // A source tall enough that the intermediate is made in several bands of columns, each
    // split into ranges of rows.
    const Picture source = randomRgb(3, 20000, 26);
    const Picture one = resamplePicture(source, 900, 37, rfLanczos3, 1);
    const Picture three = resamplePicture(source, 900, 37, rfLanczos3, 3);
    EXPECT_EQ(three.pixels, one.pixels);
}

TEST(ResampleChoices, FilterAboveNineActsAsLanczos3AndAlphaIsDropped) {
    Picture source = randomRgb(20, 10, 10);
    source.alpha.assign(200, 0);
    const Picture lanczos = resamplePicture(source, 7, 31, rfLanczos3);
    const Picture unknown = resamplePicture(source, 7, 31, static_cast<TResampleFilter>(42));
    EXPECT_EQ(unknown.pixels, lanczos.pixels);
    EXPECT_TRUE(lanczos.alpha.empty());
    EXPECT_TRUE(resamplePicture(source, 7, 31, rfNone).alpha.empty());
    EXPECT_TRUE(resamplePicture(source, 20, 10, rfFastLinear).alpha.empty());
}

TEST(ResampleChoices, OnePixelSourceIsNotComputedByTheFilteredMethods) {
    Picture dot = makePicture(1, 1, PixelFormat::Rgb24);
    dot.pixels = {200, 100, 50};
    const Picture filtered = resamplePicture(dot, 3, 2, rfMitchell);
    EXPECT_EQ(filtered.pixels, std::vector<std::uint8_t>(18, 0));
    const Picture stretched = resamplePicture(dot, 3, 2, rfNone);
    EXPECT_EQ(stretched.pixels[15], 200);
    const Picture fast = resamplePicture(dot, 3, 2, rfFastLinear);
    EXPECT_EQ(fast.pixels[17], 50);
}

TEST(ResampleDivisor, ReciprocalGivesTheTruncatedQuotientOrFallsBack) {
    for (std::int32_t sum = 1; sum <= 1500; ++sum) {
        for (const std::int64_t maxWeights : {std::int64_t{sum}, std::int64_t{1} << 20}) {
            const resample::Divisor d = resample::makeDivisor(sum, maxWeights);
            const std::int64_t maxS = 255 * maxWeights;
            for (std::int64_t q = 0; q <= 255; ++q) {
                for (const std::int64_t s : {q * sum, q * sum + sum - 1, maxS - q}) {
                    if (s > maxS) {
                        continue;
                    }
                    const auto expected = std::min<std::int64_t>(s / sum, 255);
                    ASSERT_EQ(d.apply(static_cast<std::int32_t>(s)), expected) << s << " / " << sum;
                }
            }
        }
    }
}

TEST(ResampleDivisor, ZeroAndNegativeSums) {
    const resample::Divisor zero = resample::makeDivisor(0, 0);
    EXPECT_EQ(zero.apply(0), 0);
    EXPECT_EQ(zero.apply(300 * 256 / 300 * 200), 200);
    EXPECT_EQ(zero.apply(-5), 255); // the unsigned shift of a negative sum is huge
    const resample::Divisor negative = resample::makeDivisor(-3, 0);
    EXPECT_EQ(negative.apply(-300), 100);
    EXPECT_EQ(negative.apply(300), 0);
    EXPECT_EQ(negative.apply(-1000), 255);
    const resample::Divisor positive = resample::makeDivisor(7, 7);
    EXPECT_EQ(positive.apply(-13), 0); // truncates toward zero, then clamps
}

} // namespace
} // namespace fotoplex
