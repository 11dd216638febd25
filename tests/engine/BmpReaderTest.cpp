#include "ReaderTestSupport.h"
#include "engine/readers/Decode.h"

#include <gtest/gtest.h>

namespace fotoplex {
namespace {

using namespace fotoplex::testing;

void put16(Bytes& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void put32(Bytes& b, std::size_t at, std::uint32_t v) {
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}
std::uint32_t get32(const Bytes& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t{b[at + 3]} << 24);
}

// A bitmap with a 40-byte info header; `extra` (masks, palette) follows the header.
Bytes makeBmp(std::int32_t width, std::int32_t height, int bits, std::uint32_t compression,
              const Bytes& extra, const Bytes& pixels) {
    Bytes b(54, 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, static_cast<std::uint32_t>(54 + extra.size() + pixels.size()));
    put32(b, 10, static_cast<std::uint32_t>(54 + extra.size()));
    put32(b, 14, 40);
    put32(b, 18, static_cast<std::uint32_t>(width));
    put32(b, 22, static_cast<std::uint32_t>(height));
    put16(b, 26, 1);
    put16(b, 28, static_cast<std::uint32_t>(bits));
    put32(b, 30, compression);
    b.insert(b.end(), extra.begin(), extra.end());
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

// Sixteen grey levels, index i is 17 * i.
Bytes greyPalette16() {
    Bytes p;
    for (int i = 0; i < 16; ++i)
        p.insert(p.end(), {static_cast<std::uint8_t>(17 * i), static_cast<std::uint8_t>(17 * i),
                           static_cast<std::uint8_t>(17 * i), 0});
    return p;
}

Bytes greyRow(const Picture& p, int y) {
    Bytes row;
    for (int x = 0; x < p.width; ++x)
        row.push_back(p.row(y)[3 * x]);
    return row;
}

TEST(BmpReader, DecodesFixturesLikeTheToolsThatWroteThem) {
    for (const char* name :
         {"bmp-v3-24.bmp", "bmp-v5-32.bmp", "bmp-v5-565.bmp", "bmp-v5-555.bmp", "bmp-v3-8.bmp",
          "bmp-rle8.bmp", "bmp-4.bmp", "bmp-1-colour.bmp", "bmp-os2-8.bmp", "bmp-os2-24.bmp",
          "bmp-topdown.bmp", "bmp-v3-565.bmp", "bmp-v4-32.bmp", "bmp-os2v2-24.bmp"})
        expectDecodesLikeTool(decodeBmp, name, PixelFormat::Rgb24);
    expectDecodesLikeTool(decodeBmp, "bmp-1-bw.bmp", PixelFormat::Bilevel);
}

TEST(BmpReader, FixturesCoverTheirVariant) {
    EXPECT_EQ(get32(readFixture("bmp-os2-8.bmp"), 14), 12u);
    EXPECT_EQ(get32(readFixture("bmp-v5-565.bmp"), 14), 124u);
    EXPECT_EQ(get32(readFixture("bmp-v5-565.bmp"), 30), 3u); // bit fields
    EXPECT_EQ(get32(readFixture("bmp-rle8.bmp"), 30), 1u);
    EXPECT_EQ(get32(readFixture("bmp-v3-565.bmp"), 14), 40u);
    EXPECT_EQ(get32(readFixture("bmp-v3-565.bmp"), 30), 3u); // masks after the header
    EXPECT_EQ(get32(readFixture("bmp-v4-32.bmp"), 14), 108u);
    EXPECT_EQ(get32(readFixture("bmp-os2v2-24.bmp"), 14), 64u);
    EXPECT_EQ(get32(readFixture("bmp-v3-8.bmp"), 30), 0u);
    EXPECT_LT(static_cast<std::int32_t>(get32(readFixture("bmp-topdown.bmp"), 22)), 0);
}

TEST(BmpReader, ResolutionFromPixelsPerMetreToTheNearestDotPerInch) {
    const Decoded at72 = decodeWith(decodeBmp, readFixture("bmp-v3-24.bmp"), true);
    EXPECT_EQ(at72.info.resolutionX, 72); // 2834 per metre
    EXPECT_EQ(at72.info.resolutionY, 72);
    const Decoded at102 = decodeWith(decodeBmp, readFixture("bmp-v3-8.bmp"), true);
    EXPECT_EQ(at102.info.resolutionX, 102); // 4000 per metre
    const Decoded core = decodeWith(decodeBmp, readFixture("bmp-os2-24.bmp"), true);
    EXPECT_EQ(core.info.resolutionX, 0);
    EXPECT_EQ(core.info.width, 37);
    EXPECT_EQ(core.info.height, 23);
}

TEST(BmpReader, WhiteFirstPaletteIsStillBilevel) {
    Bytes bmp = readFixture("bmp-1-bw.bmp");
    const std::uint32_t offset = get32(bmp, 10);
    ASSERT_EQ(offset, 62u);
    ASSERT_EQ(Bytes(bmp.begin() + 54, bmp.begin() + 62), (Bytes{0, 0, 0, 0, 255, 255, 255, 0}));
    for (int i = 0; i < 3; ++i) {
        bmp[54 + i] = 255;
        bmp[58 + i] = 0;
    }
    for (std::size_t i = offset; i < bmp.size(); ++i)
        bmp[i] = static_cast<std::uint8_t>(~bmp[i]);
    const Decoded d = decodeWith(decodeBmp, bmp);
    ASSERT_EQ(d.result.status, DecodeStatus::Complete);
    EXPECT_EQ(d.picture.format, PixelFormat::Bilevel);
    EXPECT_TRUE(samePixels(d.picture, readExpected("bmp-1-bw.expected.ppm")));
}

TEST(BmpReader, Rle4WithLiteralDeltaAndEndCodes) {
    const Bytes rle = {6, 0x12,             // bottom row: 1 2 1 2 1 2
                       0, 0,                // end of line
                       0, 3,    0x34, 0x50, // literal 3 4 5
                       0, 2,    1,    1,    // delta: right 1 (to x 4), up 1 row
                       2, 0x77,             // 7 7
                       0, 1};               // end of bitmap: the top row is never reached
    const Decoded d = decodeWith(decodeBmp, makeBmp(6, 4, 4, 2, greyPalette16(), rle));
    ASSERT_EQ(d.result.status, DecodeStatus::Complete) << d.result.reason;
    const auto g = [](std::initializer_list<int> v) {
        Bytes b;
        for (int i : v)
            b.push_back(static_cast<std::uint8_t>(17 * i));
        return b;
    };
    EXPECT_EQ(greyRow(d.picture, 3), g({1, 2, 1, 2, 1, 2}));
    EXPECT_EQ(greyRow(d.picture, 2), g({3, 4, 5, 0, 0, 0}));
    EXPECT_EQ(greyRow(d.picture, 1), g({0, 0, 0, 0, 7, 7}));
    EXPECT_EQ(greyRow(d.picture, 0), g({0, 0, 0, 0, 0, 0}));
}

TEST(BmpReader, Rle8LiteralsArePaddedAndOverlongRunsClipped) {
    const Bytes rle = {0, 3, 9, 10, 11, 0xEE, // literal of 3 and a pad byte
                       9, 4,                  // a run reaching past the row end
                       0, 0, 2, 15, 0,  1};
    const Decoded d = decodeWith(decodeBmp, makeBmp(5, 2, 8, 1, greyPalette16(), rle));
    ASSERT_EQ(d.result.status, DecodeStatus::Complete) << d.result.reason;
    EXPECT_EQ(greyRow(d.picture, 1), (Bytes{153, 170, 187, 68, 68}));
    EXPECT_EQ(greyRow(d.picture, 0), (Bytes{255, 255, 0, 0, 0}));
}

TEST(BmpReader, RunLengthDataWithoutEndIsIncomplete) {
    const Bytes rle = {4, 3, 0, 0, 2};
    const Decoded d = decodeWith(decodeBmp, makeBmp(4, 3, 8, 1, greyPalette16(), rle));
    EXPECT_EQ(d.result.status, DecodeStatus::Incomplete);
    EXPECT_EQ(greyRow(d.picture, 2), (Bytes{51, 51, 51, 51}));
    EXPECT_EQ(greyRow(d.picture, 1), (Bytes{0, 0, 0, 0}));
}

TEST(BmpReader, BitFieldMasksAfterAVersion3Header) {
    // 32 bits, red in the low byte and blue in the third.
    const Bytes masks32 = {0xFF, 0, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF, 0};
    const Decoded wide =
        decodeWith(decodeBmp, makeBmp(2, 1, 32, 3, masks32, {10, 20, 30, 0, 40, 50, 60, 0}));
    ASSERT_EQ(wide.result.status, DecodeStatus::Complete);
    EXPECT_EQ(wide.picture.pixels, (Bytes{10, 20, 30, 40, 50, 60}));

    // 16 bits 5-6-5: full red, half green, one step of blue; the pixel fills half the row.
    const Bytes masks565 = {0, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0};
    const std::uint16_t pixel = (31 << 11) | (32 << 5) | 1;
    const Decoded narrow = decodeWith(
        decodeBmp,
        makeBmp(1, 1, 16, 3, masks565,
                {static_cast<std::uint8_t>(pixel), static_cast<std::uint8_t>(pixel >> 8), 0, 0}));
    ASSERT_EQ(narrow.result.status, DecodeStatus::Complete);
    EXPECT_EQ(narrow.picture.pixels, (Bytes{255, 130, 8}));
}

TEST(BmpReader, RefusesHeadersThatCannotBeUsed) {
    const Bytes good = readFixture("bmp-v3-24.bmp");
    const auto status = [](const Bytes& b) { return decodeWith(decodeBmp, b).result.status; };
    const auto headerStatus = [](const Bytes& b) {
        return decodeWith(decodeBmp, b, true).result.status;
    };
    EXPECT_EQ(status({}), DecodeStatus::Failed);
    Bytes b = good;
    b[1] = 'A';
    EXPECT_EQ(status(b), DecodeStatus::Failed);
    b = good;
    put32(b, 22, 0); // height 0
    EXPECT_EQ(status(b), DecodeStatus::Failed);
    EXPECT_EQ(headerStatus(b), DecodeStatus::Failed);
    b = good;
    put32(b, 18, static_cast<std::uint32_t>(-5)); // negative width
    EXPECT_EQ(status(b), DecodeStatus::Failed);
    b = good;
    put16(b, 28, 7); // bits a pixel
    EXPECT_EQ(status(b), DecodeStatus::Failed);
    b = good;
    put32(b, 30, 4); // embedded JPEG
    EXPECT_EQ(status(b), DecodeStatus::Failed);
    b = good;
    put32(b, 30, 1); // RLE8 on 24 bits
    EXPECT_EQ(status(b), DecodeStatus::Failed);
    b = good;
    put32(b, 18, 100000);
    put32(b, 22, 100000);
    EXPECT_EQ(status(b), DecodeStatus::Failed);
    EXPECT_EQ(headerStatus(b), DecodeStatus::Failed);
    b = good;
    put32(b, 22, 0x80000000u); // the most negative height
    EXPECT_EQ(status(b), DecodeStatus::Failed);
    b = good;
    put32(b, 14, 0x7FFFFFF0u); // header size beyond the file
    EXPECT_EQ(status(b), DecodeStatus::Failed);
}

TEST(BmpReader, PixelOffsetBeyondTheFileIsIncomplete) {
    Bytes b = readFixture("bmp-v3-24.bmp");
    put32(b, 10, 0xFFFFFF00u);
    const Decoded d = decodeWith(decodeBmp, b);
    EXPECT_EQ(d.result.status, DecodeStatus::Incomplete);
    EXPECT_EQ(d.picture.width, 37);
    EXPECT_EQ(d.picture.pixels, Bytes(d.picture.pixels.size(), 0));
}

TEST(BmpReader, PaletteIndexBeyondThePaletteIsBlack) {
    Bytes palette = greyPalette16();
    palette.resize(2 * 4); // two entries given
    Bytes b = makeBmp(3, 1, 8, 0, palette, {1, 200, 1, 0});
    put32(b, 46, 2); // colours used
    const Decoded d = decodeWith(decodeBmp, b);
    ASSERT_EQ(d.result.status, DecodeStatus::Complete);
    EXPECT_EQ(greyRow(d.picture, 0), (Bytes{17, 0, 17}));
}

TEST(BmpReader, CutFilesKeepTheRowsRead) {
    expectCutsAreSafe(decodeBmp, "bmp-v3-24.bmp", 3, 0);
    expectCutsAreSafe(decodeBmp, "bmp-rle8.bmp", 1, 1);
    expectCutsAreSafe(decodeBmp, "bmp-1-bw.bmp", 1, 0);
    expectCutsAreSafe(decodeBmp, "bmp-os2-8.bmp", 3, 0);
    expectCutsAreSafe(decodeBmp, "bmp-v5-565.bmp", 3, 0);
}

TEST(BmpReader, DamagedFilesAreSafe) {
    expectDamageIsSafe(decodeBmp, "bmp-rle8.bmp");
    expectDamageIsSafe(decodeBmp, "bmp-v5-565.bmp");
    expectDamageIsSafe(decodeBmp, "bmp-4.bmp");
    expectDamageIsSafe(decodeBmp, "bmp-os2-8.bmp");
}

// --- Damage that used to pass as a whole picture, and headers claiming more than the data.

TEST(BmpReader, AHeaderClaimingFarMoreThanItsDataIsRefused) {
    // 57 bytes claiming 3158064 x 48 pixels of 24 bits: no 455 MB picture of black.
    Bytes b = makeBmp(3158064, 48, 24, 0, {}, {1, 2, 3});
    ASSERT_EQ(b.size(), 57u);
    const Decoded d = decodeWith(decodeBmp, b);
    EXPECT_EQ(d.result.status, DecodeStatus::Failed);
    EXPECT_EQ(d.result.reason, "BMP: picture larger than its data");
    EXPECT_TRUE(d.picture.empty());
    EXPECT_EQ(decodeWith(decodeBmp, b, true).result.status, DecodeStatus::Failed);
    // A file cut to a part of its rows still gives those rows.
    Bytes rows(3 * 4 * 40, 90);
    Bytes cut = makeBmp(12, 100, 24, 0, {}, rows);
    EXPECT_EQ(decodeWith(decodeBmp, cut).result.status, DecodeStatus::Incomplete);
}

TEST(BmpReader, AnUnknownHeaderSizeIsDamage) {
    for (const std::uint32_t size : {13u, 15u, 72u, 100u, 200u}) {
        Bytes b = makeBmp(2, 2, 24, 0, {}, Bytes(16, 7));
        put32(b, 14, size);
        b.resize(std::max<std::size_t>(b.size(), 14 + size + 16), 0);
        const Decoded d = decodeWith(decodeBmp, b);
        EXPECT_EQ(d.result.status, DecodeStatus::Failed) << size;
        EXPECT_EQ(d.result.reason, "BMP: bad header size") << size;
    }
}

TEST(BmpReader, APixelOffsetInsideThePaletteIsReportedDamaged) {
    Bytes b = makeBmp(4, 1, 8, 0, greyPalette16(), {1, 2, 3, 4});
    put32(b, 46, 16);         // sixteen colours declared
    put32(b, 10, 54 + 8 * 4); // but the pixels said to start after eight of them
    const Decoded d = decodeWith(decodeBmp, b);
    EXPECT_EQ(d.result.status, DecodeStatus::Incomplete);
    EXPECT_EQ(d.result.reason, "BMP: pixel data offset inside the palette");
    put32(b, 10, 40); // inside the header itself: refused
    EXPECT_EQ(decodeWith(decodeBmp, b).result.status, DecodeStatus::Failed);
}

TEST(BmpReader, RunLengthCodesBelowThePictureAreReportedDamaged) {
    // A delta down three rows in a two-row picture, then a run.
    const Bytes rle = {2, 5, 0, 2, 0, 3, 2, 9, 0, 1};
    const Decoded d = decodeWith(decodeBmp, makeBmp(4, 2, 8, 1, greyPalette16(), rle));
    EXPECT_EQ(d.result.status, DecodeStatus::Incomplete);
    EXPECT_EQ(d.result.reason, "BMP: RLE runs past the picture");
    EXPECT_EQ(greyRow(d.picture, 1), (Bytes{85, 85, 0, 0})) << "the rows inside are kept";
}

TEST(BmpReader, ADibWithoutFileHeaderReadsLikeTheBitmap) {
    for (const char* name : {"bmp-v3-8.bmp", "bmp-v3-24.bmp", "bmp-v5-565.bmp"}) {
        const Bytes file = readFixture(name);
        // The clipboard form: the info header first; the pixels follow the palette.
        const Bytes dib(file.begin() + 14, file.end());
        const Decoded whole = decodeWith(decodeBmp, file);
        const Decoded bare = decodeWith(decodeBmp, dib);
        ASSERT_EQ(bare.result.status, DecodeStatus::Complete) << name << bare.result.reason;
        EXPECT_EQ(bare.picture.pixels, whole.picture.pixels) << name;
        EXPECT_EQ(decodeWith(decodeBmp, dib, true).info.width, whole.picture.width);
    }
    EXPECT_EQ(decodeWith(decodeBmp, Bytes{1, 2, 3, 4, 5, 6}).result.status, DecodeStatus::Failed);
}

} // namespace
} // namespace fotoplex
