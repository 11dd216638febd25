#include "ReaderTestSupport.h"
#include "engine/readers/Decode.h"

#include <gtest/gtest.h>

namespace fotoplex {
namespace {

using namespace fotoplex::testing;

void put16(Bytes& b, std::size_t at, int v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

// A 128-byte header of a picture width x height at the origin.
Bytes pcxHeader(int width, int height, int bits, int planes, int bytesPerLine, int encoding = 1) {
    Bytes b(128, 0);
    b[0] = 10;
    b[1] = 5;
    b[2] = static_cast<std::uint8_t>(encoding);
    b[3] = static_cast<std::uint8_t>(bits);
    put16(b, 8, width - 1);
    put16(b, 10, height - 1);
    b[65] = static_cast<std::uint8_t>(planes);
    put16(b, 66, bytesPerLine);
    return b;
}

TEST(PcxReader, DecodesFixturesLikeTheToolsThatWroteThem) {
    for (const char* name : {"pcx-24.pcx", "pcx-8.pcx", "pcx-planar16.pcx", "pcx-packed4.pcx",
                             "pcx-packed2.pcx", "pcx-twocolour.pcx", "pcx-grey.pcx"})
        expectDecodesLikeTool(decodePcx, name, PixelFormat::Rgb24);
    expectDecodesLikeTool(decodePcx, "pcx-1.pcx", PixelFormat::Bilevel);
}

TEST(PcxReader, FixturesCoverTheirVariant) {
    const auto layout = [](const char* name) {
        const Bytes b = readFixture(name);
        return std::vector<int>{b[3], b[65], b[66] | (b[67] << 8)};
    };
    EXPECT_EQ(layout("pcx-24.pcx"), (std::vector<int>{8, 3, 37})); // odd line length
    EXPECT_EQ(layout("pcx-8.pcx"), (std::vector<int>{8, 1, 37}));
    EXPECT_EQ(layout("pcx-planar16.pcx"), (std::vector<int>{1, 4, 5}));
    EXPECT_EQ(layout("pcx-packed4.pcx"), (std::vector<int>{4, 1, 19}));
    EXPECT_EQ(layout("pcx-packed2.pcx"), (std::vector<int>{2, 1, 10}));
    EXPECT_EQ(layout("pcx-1.pcx"), (std::vector<int>{1, 1, 6}));
    EXPECT_EQ(layout("pcx-twocolour.pcx"), (std::vector<int>{1, 1, 5}));
}

TEST(PcxReader, ResolutionFromTheHeader) {
    const Decoded d = decodeWith(decodePcx, readFixture("pcx-24.pcx"), true);
    EXPECT_EQ(d.result.status, DecodeStatus::Complete);
    EXPECT_EQ(d.info.width, 37);
    EXPECT_EQ(d.info.height, 23);
    EXPECT_EQ(d.info.resolutionX, 150);
    EXPECT_EQ(d.info.resolutionY, 150);
    EXPECT_EQ(decodeWith(decodePcx, readFixture("pcx-1.pcx"), true).info.resolutionY, 100);
}

TEST(PcxReader, EightBitsWithoutTrailingPaletteAreGreyLevels) {
    Bytes pcx = readFixture("pcx-grey.pcx");
    ASSERT_EQ(pcx[pcx.size() - 769], 0x0C);
    pcx.resize(pcx.size() - 769);
    const Decoded d = decodeWith(decodePcx, pcx);
    ASSERT_EQ(d.result.status, DecodeStatus::Complete);
    EXPECT_TRUE(samePixels(d.picture, readExpected("pcx-grey.expected.ppm")));
}

TEST(PcxReader, RunsMayCrossLineEnds) {
    Bytes pcx = pcxHeader(4, 2, 8, 1, 4);
    pcx.insert(pcx.end(), {0xC8, 2}); // eight bytes of index 2 for both lines
    pcx.push_back(0x0C);
    Bytes palette(768, 0);
    palette[6] = 10;
    palette[7] = 20;
    palette[8] = 30;
    pcx.insert(pcx.end(), palette.begin(), palette.end());
    const Decoded d = decodeWith(decodePcx, pcx);
    ASSERT_EQ(d.result.status, DecodeStatus::Complete);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(Bytes(d.picture.pixels.begin() + 3 * i, d.picture.pixels.begin() + 3 * i + 3),
                  (Bytes{10, 20, 30}));
}

TEST(PcxReader, StoredDataWithoutRunLengths) {
    Bytes pcx = pcxHeader(2, 1, 8, 3, 3, 0); // line length 3 with one byte of padding
    pcx.insert(pcx.end(), {0xC1, 0xC2, 0, 0xD1, 0xD2, 0, 0xE1, 0xE2, 0});
    const Decoded d = decodeWith(decodePcx, pcx);
    ASSERT_EQ(d.result.status, DecodeStatus::Complete);
    EXPECT_EQ(d.picture.pixels, (Bytes{0xC1, 0xD1, 0xE1, 0xC2, 0xD2, 0xE2}));
}

TEST(PcxReader, OneBitWithColouredHeaderPaletteIsRgb) {
    Bytes pcx = pcxHeader(8, 1, 1, 1, 2);
    pcx[16] = 200; // entry 0 red-ish, entry 1 blue-ish
    pcx[21] = 220;
    pcx.insert(pcx.end(), {0x0F, 0});
    const Decoded d = decodeWith(decodePcx, pcx);
    ASSERT_EQ(d.result.status, DecodeStatus::Complete);
    EXPECT_EQ(d.picture.format, PixelFormat::Rgb24);
    EXPECT_EQ(Bytes(d.picture.pixels.begin(), d.picture.pixels.begin() + 3), (Bytes{200, 0, 0}));
    EXPECT_EQ(Bytes(d.picture.pixels.end() - 3, d.picture.pixels.end()), (Bytes{0, 0, 220}));
}

TEST(PcxReader, RefusesHeadersThatCannotBeUsed) {
    const Bytes good = readFixture("pcx-24.pcx");
    const auto both = [](const Bytes& b) {
        const auto full = decodeWith(decodePcx, b).result.status;
        EXPECT_EQ(decodeWith(decodePcx, b, true).result.status, full);
        return full;
    };
    EXPECT_EQ(both({}), DecodeStatus::Failed);
    EXPECT_EQ(both(Bytes(good.begin(), good.begin() + 127)), DecodeStatus::Failed);
    Bytes b = good;
    b[0] = 11;
    EXPECT_EQ(both(b), DecodeStatus::Failed);
    b = good;
    b[1] = 6; // version
    EXPECT_EQ(both(b), DecodeStatus::Failed);
    b = good;
    put16(b, 4, 40); // x min past x max
    EXPECT_EQ(both(b), DecodeStatus::Failed);
    b = good;
    put16(b, 66, 36); // line shorter than the width
    EXPECT_EQ(both(b), DecodeStatus::Failed);
    b = good;
    b[65] = 2; // 8 bits in two planes
    EXPECT_EQ(both(b), DecodeStatus::Failed);
    b = good;
    put16(b, 8, 0xFFFF);
    put16(b, 10, 0xFFFF);
    put16(b, 66, 0xFFFF);
    EXPECT_EQ(both(b), DecodeStatus::Failed); // 65536 x 65536
}

TEST(PcxReader, CutFilesKeepTheRowsRead) {
    expectCutsAreSafe(decodePcx, "pcx-24.pcx", 1, 0);
    expectCutsAreSafe(decodePcx, "pcx-planar16.pcx", 1, 0);
    expectCutsAreSafe(decodePcx, "pcx-packed2.pcx", 1, 0);
    expectCutsAreSafe(decodePcx, "pcx-1.pcx", 1, 0);
}

TEST(PcxReader, DamagedFilesAreSafe) {
    expectDamageIsSafe(decodePcx, "pcx-8.pcx");
    expectDamageIsSafe(decodePcx, "pcx-24.pcx");
    expectDamageIsSafe(decodePcx, "pcx-packed2.pcx");
    expectDamageIsSafe(decodePcx, "pcx-planar16.pcx");
}

} // namespace
} // namespace fotoplex
