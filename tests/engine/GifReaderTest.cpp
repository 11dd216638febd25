#include "ReaderTestSupport.h"
#include "engine/readers/Decode.h"

#include <gtest/gtest.h>

namespace fotoplex {
namespace {

using namespace fotoplex::testing;

// Packs codes least significant bit first, as GIF image data holds them.
class CodeWriter {
public:
    void put(int code, int bits) {
        buffer_ |= static_cast<std::uint32_t>(code) << count_;
        count_ += bits;
        while (count_ >= 8) {
            bytes_.push_back(static_cast<std::uint8_t>(buffer_));
            buffer_ >>= 8;
            count_ -= 8;
        }
    }
    Bytes finish() {
        if (count_ > 0)
            bytes_.push_back(static_cast<std::uint8_t>(buffer_));
        return bytes_;
    }

private:
    Bytes bytes_;
    std::uint32_t buffer_ = 0;
    int count_ = 0;
};

// Codes that name every pixel by itself, tracking the table growth a decoder sees, without
// clear codes after the first: past 4096 entries the table stays full.
Bytes literalCodes(const Bytes& indices, int minimumCodeSize, bool withEnd) {
    CodeWriter writer;
    const int clear = 1 << minimumCodeSize;
    int bits = minimumCodeSize + 1;
    int next = clear + 2;
    writer.put(clear, bits);
    for (std::size_t i = 0; i < indices.size(); ++i) {
        writer.put(indices[i], bits);
        if (i > 0 && next < 4096) {
            ++next;
            if (next == (1 << bits) && bits < 12)
                ++bits;
        }
    }
    if (withEnd)
        writer.put(clear + 1, bits);
    return writer.finish();
}

// A whole GIF file around the given codes: 16-entry grey global table.
Bytes makeGif(int width, int height, int minimumCodeSize, const Bytes& codes) {
    Bytes gif = {'G', 'I', 'F', '8', '9', 'a'};
    const auto u16 = [&](int v) {
        gif.push_back(static_cast<std::uint8_t>(v));
        gif.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    u16(width);
    u16(height);
    gif.insert(gif.end(), {0x83, 0, 0});
    for (int i = 0; i < 16; ++i)
        gif.insert(gif.end(), 3, static_cast<std::uint8_t>(i * 17));
    gif.push_back(0x2C);
    u16(0);
    u16(0);
    u16(width);
    u16(height);
    gif.push_back(0);
    gif.push_back(static_cast<std::uint8_t>(minimumCodeSize));
    for (std::size_t at = 0; at < codes.size(); at += 255) {
        const std::size_t n = std::min<std::size_t>(255, codes.size() - at);
        gif.push_back(static_cast<std::uint8_t>(n));
        gif.insert(gif.end(), codes.begin() + static_cast<std::ptrdiff_t>(at),
                   codes.begin() + static_cast<std::ptrdiff_t>(at + n));
    }
    gif.push_back(0);
    gif.push_back(0x3B);
    return gif;
}

std::uint8_t greyAt(const Picture& p, int x, int y) {
    return p.row(y)[3 * x];
}

TEST(GifReader, DecodesFixturesLikeTheToolsThatWroteThem) {
    expectDecodesLikeTool(decodeGif, "gif87-global.gif", PixelFormat::Rgb24);
    expectDecodesLikeTool(decodeGif, "gif-interlaced.gif", PixelFormat::Rgb24);
    expectDecodesLikeTool(decodeGif, "gif-local.gif", PixelFormat::Rgb24);
    expectDecodesLikeTool(decodeGif, "gif-noise.gif", PixelFormat::Rgb24);
    expectDecodesLikeTool(decodeGif, "gif-twocolour.gif", PixelFormat::Rgb24);
    expectDecodesLikeTool(decodeGif, "gif-bilevel.gif", PixelFormat::Bilevel);
    expectDecodesLikeTool(decodeGif, "gif89-transparent.gif", PixelFormat::Rgb24);
}

TEST(GifReader, FixturesCoverTheirVariant) {
    const Bytes interlaced = readFixture("gif-interlaced.gif");
    ASSERT_EQ(interlaced[10] & 0x80, 0x80);
    const std::size_t descriptor = 13 + 3 * (2u << (interlaced[10] & 7));
    // Skip extensions to the image descriptor.
    std::size_t at = descriptor;
    while (interlaced[at] == 0x21) {
        at += 2;
        while (interlaced[at] != 0)
            at += interlaced[at] + 1u;
        ++at;
    }
    ASSERT_EQ(interlaced[at], 0x2C);
    EXPECT_EQ(interlaced[at + 9] & 0x40, 0x40) << "fixture is not interlaced";
    EXPECT_EQ(readFixture("gif-local.gif")[10] & 0x80, 0) << "fixture has a global table";
}

TEST(GifReader, TransparentIndexBecomesAlpha) {
    const Decoded d = decodeWith(decodeGif, readFixture("gif89-transparent.gif"));
    ASSERT_EQ(d.result.status, DecodeStatus::Complete);
    const Expected alpha = readExpected("gif89-transparent.alpha.pgm");
    ASSERT_EQ(d.picture.alpha.size(), alpha.samples.size());
    EXPECT_EQ(d.picture.alpha, alpha.samples);
    EXPECT_EQ(d.picture.alpha[11 * 37 + 15], 0);

    EXPECT_TRUE(decodeWith(decodeGif, readFixture("gif87-global.gif")).picture.alpha.empty());
}

TEST(GifReader, LocalTableWinsOverTheGlobalOne) {
    Bytes gif = readFixture("gif-local.gif");
    const Bytes globalTable(6, 0x55); // two grey entries nothing uses
    gif.insert(gif.begin() + 13, globalTable.begin(), globalTable.end());
    gif[10] = static_cast<std::uint8_t>(gif[10] | 0x80);
    const Decoded d = decodeWith(decodeGif, gif);
    ASSERT_EQ(d.result.status, DecodeStatus::Complete);
    EXPECT_TRUE(samePixels(d.picture, readExpected("gif-local.expected.ppm")));
}

TEST(GifReader, UnknownBlockBeforeTheImageIsDamage) {
    Bytes gif = readFixture("gif87-global.gif");
    const std::size_t descriptor = 13 + 3 * (2u << (gif[10] & 7));
    gif[descriptor] = 0x77;
    for (const bool headerOnly : {false, true}) {
        const Decoded d = decodeWith(decodeGif, gif, headerOnly);
        EXPECT_EQ(d.result.status, DecodeStatus::Incomplete);
        EXPECT_EQ(d.info.width, 37);
        EXPECT_EQ(d.info.height, 23);
    }
    const Decoded d = decodeWith(decodeGif, gif);
    EXPECT_EQ(d.picture.width, 37);
    EXPECT_EQ(d.picture.pixels, Bytes(d.picture.pixels.size(), 0));
}

TEST(GifReader, WithoutAnyPaletteIndexZeroIsBlackAndOneWhite) {
    Bytes gif = readFixture("gif-bilevel.gif");
    ASSERT_EQ(gif[10] & 0x87, 0x80); // a global table of two entries
    ASSERT_EQ(Bytes(gif.begin() + 13, gif.begin() + 19), (Bytes{0, 0, 0, 255, 255, 255}));
    gif.erase(gif.begin() + 13, gif.begin() + 19);
    gif[10] = 0;
    const Decoded d = decodeWith(decodeGif, gif);
    ASSERT_EQ(d.result.status, DecodeStatus::Complete);
    EXPECT_EQ(d.picture.format, PixelFormat::Bilevel);
    EXPECT_TRUE(samePixels(d.picture, readExpected("gif-bilevel.expected.ppm")));
}

TEST(GifReader, ImageSitsAtItsOffsetOnTheLogicalScreen) {
    Bytes gif = readFixture("gif87-global.gif");
    const std::size_t descriptor = 13 + 3 * (2u << (gif[10] & 7));
    ASSERT_EQ(gif[descriptor], 0x2C);
    gif[6] = 45; // screen 45 x 30, image at (5, 4)
    gif[8] = 30;
    gif[11] = 9; // background index
    gif[descriptor + 1] = 5;
    gif[descriptor + 3] = 4;
    const Decoded d = decodeWith(decodeGif, gif);
    ASSERT_EQ(d.result.status, DecodeStatus::Complete);
    ASSERT_EQ(d.picture.width, 45);
    ASSERT_EQ(d.picture.height, 30);
    ASSERT_EQ(d.picture.alpha.size(), 45u * 30u);

    const Expected frame = readExpected("gif87-global.expected.ppm");
    const Bytes background(gif.begin() + 13 + 27, gif.begin() + 13 + 30);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 45; ++x) {
            const bool inside = x >= 5 && x < 5 + 37 && y >= 4 && y < 4 + 23;
            const std::uint8_t* got = d.picture.row(y) + 3 * x;
            const std::uint8_t* want =
                inside ? &frame.samples[3 * ((y - 4) * 37 + (x - 5))] : background.data();
            ASSERT_EQ(Bytes(got, got + 3), Bytes(want, want + 3)) << x << "," << y;
            ASSERT_EQ(d.picture.alpha[y * 45 + x], inside ? 255 : 0) << x << "," << y;
        }
    }
    const Decoded header = decodeWith(decodeGif, gif, true);
    EXPECT_EQ(header.info.width, 45);
    EXPECT_EQ(header.info.height, 30);
}

TEST(GifReader, ImageLargerThanTheScreenWidensThePicture) {
    Bytes gif = readFixture("gif87-global.gif");
    gif[6] = 10;
    gif[8] = 10;
    const Decoded d = decodeWith(decodeGif, gif);
    ASSERT_EQ(d.result.status, DecodeStatus::Complete);
    EXPECT_TRUE(samePixels(d.picture, readExpected("gif87-global.expected.ppm")));
    EXPECT_TRUE(d.picture.alpha.empty());
    EXPECT_EQ(decodeWith(decodeGif, gif, true).info.width, 37);
}

TEST(GifReader, TableStaysFullWithoutAClearCode) {
    Bytes indices(100 * 60);
    for (std::size_t i = 0; i < indices.size(); ++i)
        indices[i] = static_cast<std::uint8_t>((i * 7 + i / 100) % 16);
    const Decoded d = decodeWith(decodeGif, makeGif(100, 60, 4, literalCodes(indices, 4, true)));
    ASSERT_EQ(d.result.status, DecodeStatus::Complete) << d.result.reason;
    for (std::size_t i = 0; i < indices.size(); ++i)
        ASSERT_EQ(greyAt(d.picture, int(i % 100), int(i / 100)), indices[i] * 17) << i;
}

TEST(GifReader, AllPixelsWithoutEndCodeIsComplete) {
    const Bytes indices = {1, 2, 3, 4, 5, 6};
    const Decoded d = decodeWith(decodeGif, makeGif(3, 2, 4, literalCodes(indices, 4, false)));
    EXPECT_EQ(d.result.status, DecodeStatus::Complete);
    EXPECT_EQ(greyAt(d.picture, 2, 1), 6 * 17);
}

TEST(GifReader, EarlyEndCodeKeepsWhatWasDecoded) {
    const Bytes indices = {5, 6, 7, 8};
    const Decoded d = decodeWith(decodeGif, makeGif(3, 2, 4, literalCodes(indices, 4, true)));
    EXPECT_EQ(d.result.status, DecodeStatus::Incomplete);
    EXPECT_EQ(greyAt(d.picture, 0, 0), 5 * 17);
    EXPECT_EQ(greyAt(d.picture, 0, 1), 8 * 17);
    EXPECT_EQ(greyAt(d.picture, 1, 1), 0); // not reached: black
}

TEST(GifReader, CodeOutsideTheTableStopsTheImage) {
    CodeWriter writer;
    writer.put(16, 5); // clear
    writer.put(3, 5);
    writer.put(3, 5);  // adds entry 18
    writer.put(30, 5); // not yet in the table
    const Decoded d = decodeWith(decodeGif, makeGif(4, 1, 4, writer.finish()));
    EXPECT_EQ(d.result.status, DecodeStatus::Incomplete);
    EXPECT_EQ(greyAt(d.picture, 1, 0), 3 * 17);
    EXPECT_EQ(greyAt(d.picture, 2, 0), 0);
}

TEST(GifReader, CodeSizeOutOfRangeIsDamage) {
    const Decoded d = decodeWith(decodeGif, makeGif(2, 2, 12, {0xFF, 0xFF}));
    EXPECT_EQ(d.result.status, DecodeStatus::Incomplete);
    EXPECT_EQ(d.picture.width, 2);
}

TEST(GifReader, RefusesWhatIsNotAGifImage) {
    EXPECT_EQ(decodeWith(decodeGif, {}).result.status, DecodeStatus::Failed);
    Bytes gif = readFixture("gif87-global.gif");
    Bytes wrong = gif;
    wrong[4] = '8';
    EXPECT_EQ(decodeWith(decodeGif, wrong).result.status, DecodeStatus::Failed);

    const std::size_t descriptor = 13 + 3 * (2u << (gif[10] & 7));
    Bytes empty(gif.begin(), gif.begin() + static_cast<std::ptrdiff_t>(descriptor));
    empty.push_back(0x3B);
    EXPECT_EQ(decodeWith(decodeGif, empty).result.status, DecodeStatus::Failed);
    EXPECT_EQ(decodeWith(decodeGif, empty, true).result.status, DecodeStatus::Failed);

    Bytes huge = gif;
    huge[6] = huge[7] = huge[8] = huge[9] = 0xFF; // 65535 x 65535
    EXPECT_EQ(decodeWith(decodeGif, huge).result.status, DecodeStatus::Failed);
    EXPECT_EQ(decodeWith(decodeGif, huge, true).result.status, DecodeStatus::Failed);
}

TEST(GifReader, CutFilesKeepTheRowsRead) {
    expectCutsAreSafe(decodeGif, "gif87-global.gif");
    expectCutsAreSafe(decodeGif, "gif-interlaced.gif");
    expectCutsAreSafe(decodeGif, "gif89-transparent.gif");
    expectCutsAreSafe(decodeGif, "gif-noise.gif", 7);
}

TEST(GifReader, DamagedFilesAreSafe) {
    expectDamageIsSafe(decodeGif, "gif89-transparent.gif");
    expectDamageIsSafe(decodeGif, "gif-interlaced.gif");
    expectDamageIsSafe(decodeGif, "gif-noise.gif");
}

} // namespace
} // namespace fotoplex
