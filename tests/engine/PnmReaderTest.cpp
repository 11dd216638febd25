#include "ReaderTestSupport.h"
#include "engine/readers/Decode.h"

#include <gtest/gtest.h>
#include <string>

namespace fotoplex {
namespace {

using namespace fotoplex::testing;

Bytes text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

TEST(PnmReader, DecodesFixturesLikeNetpbm) {
    for (const char* name : {"pnm-p6.ppm", "pnm-p5.pgm", "pnm-p3.ppm", "pnm-p2.pgm",
                             "pnm-p3-comments.ppm", "pnm-p6-16bit.ppm", "pnm-p5-1000.pgm"})
        expectDecodesLikeTool(decodePnm, name, PixelFormat::Rgb24);
    expectDecodesLikeTool(decodePnm, "pnm-p4.pbm", PixelFormat::Bilevel);
    expectDecodesLikeTool(decodePnm, "pnm-p1.pbm", PixelFormat::Bilevel);
}

TEST(PnmReader, FixturesCoverTheirVariant) {
    const auto head = [](const char* name) {
        const Bytes b = readFixture(name);
        return std::string(b.begin(), b.begin() + 20);
    };
    EXPECT_NE(head("pnm-p6-16bit.ppm").find("65535"), std::string::npos);
    EXPECT_NE(head("pnm-p5-1000.pgm").find("1000"), std::string::npos);
    EXPECT_NE(head("pnm-p3-comments.ppm").find('#'), std::string::npos);
}

TEST(PnmReader, BitmapOneIsBlack) {
    const Decoded d = decodeWith(decodePnm, text("P1\n10 1\n1 0 1 1 0 0 0 0 0 1"));
    ASSERT_EQ(d.result.status, DecodeStatus::Complete);
    // White where the file has 0; the spare bits of the last byte stay clear.
    EXPECT_EQ(d.picture.pixels, (Bytes{0b01001111, 0b10000000}));

    const Decoded packed = decodeWith(decodePnm, text("P1 10 1 1011000001"));
    EXPECT_EQ(packed.picture.pixels, d.picture.pixels) << "digits need no separators";

    const Bytes raw = {'P', '4', ' ', '1', '0', ' ', '1', '\n', 0b10110000, 0b01111111};
    const Decoded fromRaw = decodeWith(decodePnm, raw);
    ASSERT_EQ(fromRaw.result.status, DecodeStatus::Complete);
    EXPECT_EQ(fromRaw.picture.pixels, d.picture.pixels);
}

TEST(PnmReader, SamplesScaleToTheNearestLevel) {
    const Decoded d = decodeWith(decodePnm, text("P2 5 1 1000 0 1 2 500 1000"));
    ASSERT_EQ(d.result.status, DecodeStatus::Complete);
    const Bytes& p = d.picture.pixels;
    EXPECT_EQ((Bytes{p[0], p[3], p[6], p[9], p[12]}), (Bytes{0, 0, 1, 128, 255}));

    const Bytes wide = {'P', '6', ' ',  '1',  ' ',  '1',  ' ',  '6',  '5', '5',
                        '3', '5', '\n', 0xFF, 0xFF, 0x80, 0x80, 0x00, 0x81};
    const Decoded w = decodeWith(decodePnm, wide);
    ASSERT_EQ(w.result.status, DecodeStatus::Complete);
    EXPECT_EQ(w.picture.pixels, (Bytes{255, 128, 1})); // most significant byte first
}

TEST(PnmReader, PlainSamplesAboveTheMaximumAreTheMaximum) {
    const Decoded d = decodeWith(decodePnm, text("P3 1 1 15 3 99 15"));
    ASSERT_EQ(d.result.status, DecodeStatus::Complete);
    EXPECT_EQ(d.picture.pixels, (Bytes{51, 255, 255}));
}

TEST(PnmReader, RefusesHeadersThatCannotBeUsed) {
    const auto both = [](const std::string& s) {
        const auto full = decodeWith(decodePnm, text(s)).result.status;
        EXPECT_EQ(decodeWith(decodePnm, text(s), true).result.status, full) << s;
        return full;
    };
    for (const char* bad :
         {"", "P", "P7 1 1 255\n", "P0 1 1\n", "Q6 1 1 255\n", "P6 0 5 255\n", "P6 5 0 255\n",
          "P6 -1 1 255\n", "P6 1 1 0\n", "P6 1 1 65536\n", "P5 99999999999 1 255\n",
          "P6 100000 100000 255\n", "P6 1 1", "P6 1 1 255x", "P4 #only a comment"})
        EXPECT_EQ(both(bad), DecodeStatus::Failed) << bad;
}

TEST(PnmReader, HeaderModeGivesTheSizeAndNoResolution) {
    const Decoded d = decodeWith(decodePnm, text("P6\n# a comment\n640 # more\n480\n255\n"), true);
    EXPECT_EQ(d.result.status, DecodeStatus::Complete);
    EXPECT_EQ(d.info.width, 640);
    EXPECT_EQ(d.info.height, 480);
    EXPECT_EQ(d.info.resolutionX, 0);
}

TEST(PnmReader, BadPlainSampleStopsTheRows) {
    const Decoded d = decodeWith(decodePnm, text("P2 2 2 255 10 20 30 x"));
    EXPECT_EQ(d.result.status, DecodeStatus::Incomplete);
    EXPECT_EQ(d.picture.pixels[3], 20);
    EXPECT_EQ(d.picture.pixels[6], 0);
}

TEST(PnmReader, CutFilesKeepTheRowsRead) {
    expectCutsAreSafe(decodePnm, "pnm-p6.ppm", 1, 0);
    expectCutsAreSafe(decodePnm, "pnm-p5-1000.pgm", 1, 0);
    expectCutsAreSafe(decodePnm, "pnm-p4.pbm", 1, 1);
    expectCutsAreSafe(decodePnm, "pnm-p3.ppm", 13, 0);
    expectCutsAreSafe(decodePnm, "pnm-p1.pbm", 1, 1);
}

TEST(PnmReader, DamagedFilesAreSafe) {
    expectDamageIsSafe(decodePnm, "pnm-p3-comments.ppm");
    expectDamageIsSafe(decodePnm, "pnm-p6-16bit.ppm");
    expectDamageIsSafe(decodePnm, "pnm-p1.pbm");
}

} // namespace
} // namespace fotoplex
