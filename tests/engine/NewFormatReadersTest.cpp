// The HEIF/AVIF, WebP, JPEG 2000, Targa and icon readers against the outside tools' decodes of
// the fixtures in tests/data/formats, their header mode, cut files and oversized claims; HEIF
// rotation and mirror properties.

#include "TestImages.h"
#include "engine/Decoders.h"
#include "engine/FileHeader.h"
#include "engine/RasterImage.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>

namespace fotoplex {
namespace {

using test::dataPath;
using test::loadExpected;
using test::readBytes;
using Bytes = std::vector<std::uint8_t>;

struct Fixture {
    const char* file;
    FileFormat format;
    int tolerance; // largest difference of any sample from the tool's decode
    bool alpha;
};

std::string formatsPath(const std::string& name) {
    return dataPath("formats/" + name);
}

// The tool's decode beside the fixture: NAME.EXT.expected.* for the coded formats,
// NAME.expected.* for Targa and icons.
std::string expectedPath(const std::string& file) {
    for (const std::string& stem : {file, file.substr(0, file.rfind('.'))}) {
        for (const char* ending : {".expected.ppm", ".expected.pgm", ".expected.pam"}) {
            const std::string path = formatsPath(stem + ending);
            if (!readBytes(path).empty()) {
                return path;
            }
        }
    }
    return {};
}

struct Read {
    DecodeResult result;
    Picture picture;
    DecodedInfo info;
};

Read decode(FileFormat format, const Bytes& data, bool headerOnly = false) {
    Read r;
    JpegDetails jpeg;
    r.result = decodeAs(format, data, r.picture, r.info, jpeg, headerOnly);
    return r;
}

class NewFormat : public ::testing::TestWithParam<Fixture> {};

TEST_P(NewFormat, DecodesLikeTheToolThatMadeIt) {
    const Fixture& f = GetParam();
    const Bytes data = readBytes(formatsPath(f.file));
    ASSERT_FALSE(data.empty());
    const Read full = decode(f.format, data);
    ASSERT_EQ(full.result.status, DecodeStatus::Complete) << full.result.reason;
    const auto expected = loadExpected(expectedPath(f.file));
    EXPECT_LE(test::largestDifference(full.picture, expected), f.tolerance);
    ASSERT_EQ(!full.picture.alpha.empty(), f.alpha);
    if (f.alpha) {
        int worst = 0;
        for (int y = 0; y < full.picture.height; ++y) {
            for (int x = 0; x < full.picture.width; ++x) {
                const int got =
                    full.picture.alpha[static_cast<std::size_t>(y * full.picture.width + x)];
                worst = std::max(worst, std::abs(got - expected.alpha(x, y)));
            }
        }
        EXPECT_LE(worst, f.tolerance) << "alpha";
    }
}

TEST_P(NewFormat, HeaderModeGivesTheSizeAndLeavesThePicture) {
    const Fixture& f = GetParam();
    const Bytes data = readBytes(formatsPath(f.file));
    const FileHeader header = headerFromBytes(data);
    EXPECT_EQ(header.format, f.format);
    const Read full = decode(f.format, data);
    EXPECT_EQ(header.info.width, full.picture.width);
    EXPECT_EQ(header.info.height, full.picture.height);
    Picture untouched = makePicture(2, 2, PixelFormat::Rgb24);
    DecodedInfo info;
    JpegDetails jpeg;
    decodeAs(f.format, data, untouched, info, jpeg, true);
    EXPECT_EQ(untouched.width, 2);
}

// Every cut of the file is refused or read in part; none crashes, none claims to be whole
// before the pixel data ends, and a part read always has the header's size.
TEST_P(NewFormat, CutFilesAreRefusedOrIncomplete) {
    const Fixture& f = GetParam();
    const Bytes data = readBytes(formatsPath(f.file));
    const std::size_t step = std::max<std::size_t>(1, data.size() / 150);
    for (std::size_t length = 0; length < data.size(); length += step) {
        const Bytes cut(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(length));
        const Read r = decode(f.format, cut);
        if (r.result.status == DecodeStatus::Incomplete) {
            const Read header = decode(f.format, cut, true);
            EXPECT_EQ(r.picture.width, header.info.width) << "cut at " << length;
            EXPECT_EQ(r.picture.pixels.size(), r.picture.rowBytes() * r.picture.height);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, NewFormat,
    ::testing::Values(Fixture{"rgb.heic", FileFormat::Heif, 0, false},
                      Fixture{"lossless.heic", FileFormat::Heif, 0, false},
                      Fixture{"p3.heic", FileFormat::Heif, 0, false},
                      // rgb.heic with irot (a quarter turn) or imir (mirror) added by hand
                      Fixture{"rgb-irot1.heic", FileFormat::Heif, 0, false},
                      Fixture{"rgb-imir0.heic", FileFormat::Heif, 0, false},
                      Fixture{"rgb-imir1.heic", FileFormat::Heif, 0, false},
                      Fixture{"rgb-clap.heic", FileFormat::Heif, 0, false},
                      Fixture{"rgb.avif", FileFormat::Avif, 0, false},
                      Fixture{"rgba.avif", FileFormat::Avif, 0, true},
                      // 10 bits a sample, rounded to 8 as netpbm rounds the tool's 16-bit PNG
                      Fixture{"deep.avif", FileFormat::Avif, 1, false},
                      Fixture{"lossless.webp", FileFormat::WebP, 0, false},
                      Fixture{"lossy.webp", FileFormat::WebP, 2, false},
                      Fixture{"rgba.webp", FileFormat::WebP, 0, true},
                      Fixture{"animated.webp", FileFormat::WebP, 0, false},
                      Fixture{"meta.webp", FileFormat::WebP, 2, false},
                      Fixture{"lossless.jp2", FileFormat::Jp2, 0, false},
                      Fixture{"lossless.j2k", FileFormat::Jp2, 0, false},
                      Fixture{"lossy.jp2", FileFormat::Jp2, 2, false},
                      Fixture{"grey.jp2", FileFormat::Jp2, 0, false},
                      Fixture{"rgba.jp2", FileFormat::Jp2, 0, true},
                      Fixture{"tga-rgb.tga", FileFormat::Tga, 0, false},
                      Fixture{"tga-rgb-rle.tga", FileFormat::Tga, 0, false},
                      Fixture{"tga-grey.tga", FileFormat::Tga, 0, false},
                      Fixture{"tga-palette-rle.tga", FileFormat::Tga, 0, false},
                      Fixture{"tga-rgba.tga", FileFormat::Tga, 0, true},
                      Fixture{"tga-rgba-top-rle.tga", FileFormat::Tga, 0, true},
                      Fixture{"icon-bmp.ico", FileFormat::Ico, 0, true},
                      Fixture{"icon-png.ico", FileFormat::Ico, 0, true}),
    [](const auto& info) {
        std::string name = info.param.file;
        std::replace_if(
            name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
        return name;
    });

TEST(NewFormats, CutFilesGiveIncompleteOrAClearRefusal) {
    const Read tga = decode(FileFormat::Tga, readBytes(formatsPath("truncated.tga")));
    EXPECT_EQ(tga.result.status, DecodeStatus::Incomplete);
    EXPECT_EQ(tga.picture.width, 24);
    // These are cut before their first row: no rows read is no picture, not a black one.
    for (const auto& [file, format, name] :
         {std::tuple{"truncated.webp", FileFormat::WebP, "WebP"},
          std::tuple{"truncated.jp2", FileFormat::Jp2, "JPEG 2000"},
          std::tuple{"truncated.heic", FileFormat::Heif, "HEIF"}}) {
        const Read r = decode(format, readBytes(formatsPath(file)));
        EXPECT_EQ(r.result.status, DecodeStatus::Failed) << file;
        EXPECT_TRUE(r.picture.pixels.empty()) << file;
        EXPECT_NE(r.result.reason.find(name), std::string::npos) << file;
    }
}

// --- HEIF transformations: libheif applies the primary item's irot and imir properties, which
// make_transformed_heic.py added to rgb.heic. Besides heif-convert's decodes (above), each is
// checked against rgb.heic's own decode moved here pixel by pixel, so that the expectation
// does not rest on libheif alone.

enum class Move { QuarterTurnAnticlockwise, TopBottom, LeftRight };

// Where pixel (x, y) of the moved picture comes from in the original of width w, height h.
std::pair<int, int> sourceOf(Move move, int x, int y, int w, int h) {
    switch (move) {
    case Move::QuarterTurnAnticlockwise: // the original's right column becomes the top row
        return {w - 1 - y, x};
    case Move::TopBottom:
        return {x, h - 1 - y};
    case Move::LeftRight:
        return {w - 1 - x, y};
    }
    return {x, y};
}

TEST(HeifTransformations, TurnAndMirrorAsTheFileSays) {
    const Read base = decode(FileFormat::Heif, readBytes(formatsPath("rgb.heic")));
    ASSERT_EQ(base.result.status, DecodeStatus::Complete) << base.result.reason;
    const int w = base.picture.width;
    const int h = base.picture.height;
    ASSERT_NE(w, h);
    // libheif takes imir axis 0 as exchanging top and bottom, 1 as left and right (its encoder
    // writes EXIF orientation 2 as axis 1).
    for (const auto& [file, move] : {std::pair{"rgb-irot1.heic", Move::QuarterTurnAnticlockwise},
                                     std::pair{"rgb-imir0.heic", Move::TopBottom},
                                     std::pair{"rgb-imir1.heic", Move::LeftRight}}) {
        SCOPED_TRACE(file);
        const Bytes data = readBytes(formatsPath(file));
        const Read r = decode(FileFormat::Heif, data);
        ASSERT_EQ(r.result.status, DecodeStatus::Complete) << r.result.reason;
        const bool turned = move == Move::QuarterTurnAnticlockwise;
        ASSERT_EQ(r.picture.width, turned ? h : w);
        ASSERT_EQ(r.picture.height, turned ? w : h);
        EXPECT_EQ(r.info.orientation, 1); // nothing is left for the engine to turn
        int worst = 0;
        for (int y = 0; y < r.picture.height; ++y) {
            for (int x = 0; x < r.picture.width; ++x) {
                const auto [sx, sy] = sourceOf(move, x, y, w, h);
                for (int c = 0; c < 3; ++c) {
                    worst = std::max(worst, std::abs(r.picture.row(y)[3 * x + c] -
                                                     base.picture.row(sy)[3 * sx + c]));
                }
            }
        }
        EXPECT_EQ(worst, 0); // the same decoded pixels, moved
        // Header mode gives the size the reader hands out: the turned one, like its decode.
        const Read header = decode(FileFormat::Heif, data, true);
        EXPECT_EQ(header.info.width, r.picture.width);
        EXPECT_EQ(header.info.height, r.picture.height);
        EXPECT_EQ(header.info.orientation, 1);
        const FileHeader fileHeader = headerFromBytes(data);
        EXPECT_EQ(fileHeader.info.width, r.picture.width);
        EXPECT_EQ(fileHeader.info.height, r.picture.height);
    }
}

TEST(HeifTransformations, ACleanApertureCropsAsTheFileSays) {
    // 16 x 10 of the 24 x 18 picture, its centre 2 pixels right of and 1 above the picture's.
    const Read base = decode(FileFormat::Heif, readBytes(formatsPath("rgb.heic")));
    ASSERT_EQ(base.result.status, DecodeStatus::Complete) << base.result.reason;
    const Bytes data = readBytes(formatsPath("rgb-clap.heic"));
    const Read r = decode(FileFormat::Heif, data);
    ASSERT_EQ(r.result.status, DecodeStatus::Complete) << r.result.reason;
    ASSERT_EQ(r.picture.width, 16);
    ASSERT_EQ(r.picture.height, 10);
    const int left = (base.picture.width - 16) / 2 + 2;
    const int top = (base.picture.height - 10) / 2 - 1;
    for (int y = 0; y < 10; ++y) {
        ASSERT_TRUE(std::equal(r.picture.row(y), r.picture.row(y) + 3 * 16,
                               base.picture.row(top + y) + 3 * left))
            << "row " << y;
    }
    const Read header = decode(FileFormat::Heif, data, true);
    EXPECT_EQ(header.info.width, 16);
    EXPECT_EQ(header.info.height, 10);
}

TEST(NewFormats, TheLargestIconOfTheFileIsRead) {
    const Read icon = decode(FileFormat::Ico, readBytes(formatsPath("icon-bmp.ico")));
    EXPECT_EQ(icon.picture.width, 32);
    // A cursor is the same directory with hot spots: the same picture.
    const Read cursor = decode(FileFormat::Ico, readBytes(formatsPath("cursor.cur")));
    ASSERT_EQ(cursor.result.status, DecodeStatus::Complete);
    EXPECT_EQ(cursor.picture.pixels, icon.picture.pixels);
    EXPECT_EQ(cursor.picture.alpha, icon.picture.alpha);
    // The left quarter of the source is transparent: the AND mask says so.
    EXPECT_EQ(icon.picture.alpha.front(), 0);
    EXPECT_EQ(icon.picture.alpha.back(), 255);
}

// --- Decompression bombs: small files claiming 100000 x 100000 or the most their fields allow.

void putBigEndian(Bytes& data, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        data[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
    }
}

TEST(DecompressionBombs, AreRefusedBeforeDecoding) {
    // HEIF: the image's spatial extent box patched to 100000 x 100000.
    Bytes heif = readBytes(formatsPath("rgb.heic"));
    const auto ispe = std::search(heif.begin(), heif.end(), "ispe", "ispe" + 4);
    ASSERT_NE(ispe, heif.end());
    const auto at = static_cast<std::size_t>(ispe - heif.begin()) + 8;
    putBigEndian(heif, at, 100000);
    putBigEndian(heif, at + 4, 100000);
    EXPECT_EQ(decode(FileFormat::Heif, heif).result.status, DecodeStatus::Failed);

    // WebP: an extended header whose canvas is 100000 x 100000 (24-bit fields less one).
    Bytes webp = {'R', 'I', 'F', 'F', 30, 0, 0, 0, 'W', 'E', 'B', 'P',
                  'V', 'P', '8', 'X', 10, 0, 0, 0, 0,   0,   0,   0};
    for (const std::uint32_t side : {100000u - 1, 100000u - 1}) {
        for (int i = 0; i < 3; ++i) {
            webp.push_back(static_cast<std::uint8_t>(side >> (8 * i)));
        }
    }
    webp.resize(webp.size() + 16, 0);
    EXPECT_EQ(decode(FileFormat::WebP, webp).result.status, DecodeStatus::Failed);

    // JPEG 2000: a code stream whose size marker claims 100000 x 100000 in one tile.
    Bytes j2k = {0xFF, 0x4F, 0xFF, 0x51, 0, 41, 0, 0};
    for (const std::uint32_t v : {100000u, 100000u, 0u, 0u, 100000u, 100000u, 0u, 0u}) {
        j2k.resize(j2k.size() + 4);
        putBigEndian(j2k, j2k.size() - 4, v);
    }
    j2k.insert(j2k.end(), {0, 1, 7, 1, 1});
    j2k.insert(j2k.end(), {0xFF, 0x52, 0, 12, 0, 0, 0, 1, 0, 0, 4, 4, 0, 0});
    j2k.insert(j2k.end(),
               {0xFF, 0x5C, 0, 4, 0x40, 0x48, 0xFF, 0x90, 0, 10, 0, 0, 0, 0, 0, 20, 0, 1});
    j2k.resize(j2k.size() + 20, 0);
    EXPECT_EQ(decode(FileFormat::Jp2, j2k).result.status, DecodeStatus::Failed);

    // Targa: 65535 x 65535, uncompressed and run-length, with a few bytes of data.
    for (const std::uint8_t type : {2, 10}) {
        Bytes tga(18 + 64, 0);
        tga[2] = type;
        tga[12] = tga[13] = tga[14] = tga[15] = 0xFF;
        tga[16] = 24;
        EXPECT_EQ(decode(FileFormat::Tga, tga).result.status, DecodeStatus::Failed);
        // 2000 x 2000 from 64 bytes: also more than the data can hold.
        tga[12] = 0xD0;
        tga[13] = 0x07;
        tga[14] = 0xD0;
        tga[15] = 0x07;
        EXPECT_EQ(decode(FileFormat::Tga, tga).result.status, DecodeStatus::Failed);
    }
}

// Found by fuzzing: a true-colour Targa carrying a colour map whose entries have no size.
TEST(NewFormats, ATargaColourMapWithoutEntrySizeIsRefused) {
    Bytes tga(18 + 3 * 4, 0);
    tga[1] = 1;  // colour map present
    tga[2] = 2;  // true colour
    tga[5] = 4;  // four entries
    tga[7] = 0;  // of zero bits
    tga[12] = 2; // 2 x 2
    tga[14] = 2;
    tga[16] = 24;
    EXPECT_EQ(decode(FileFormat::Tga, tga).result.status, DecodeStatus::Failed);
    tga[5] = 0; // an empty map with no entry size is no map
    EXPECT_EQ(decode(FileFormat::Tga, tga).result.status, DecodeStatus::Complete);
    tga[5] = 4;
    tga[7] = 24; // a usable map is skipped over
    tga.resize(18 + 12 + 12, 7);
    EXPECT_EQ(decode(FileFormat::Tga, tga).result.status, DecodeStatus::Complete);
}

// --- ReadPictureFile: the format by extension, and the recognised formats' names.

TEST(NewFormats, ReadPictureFileChoosesTheReaderByExtension) {
    RasterImage image;
    for (const auto& [file, format] :
         {std::pair{"rgb.heic", FileFormat::Heif}, std::pair{"rgb.avif", FileFormat::Avif},
          std::pair{"lossy.webp", FileFormat::WebP}, std::pair{"lossless.j2k", FileFormat::Jp2},
          std::pair{"tga-rgb.tga", FileFormat::Tga}, std::pair{"cursor.cur", FileFormat::Ico}}) {
        image.ReadPictureFile(formatsPath(file));
        EXPECT_FALSE(image.Incomplete) << file;
        EXPECT_EQ(image.FileParams.Format, format) << file;
        EXPECT_GT(image.width(), 0) << file;
    }
    EXPECT_STREQ(fileFormatName(FileFormat::Heif), "heif");
    EXPECT_STREQ(fileFormatName(FileFormat::Avif), "avif");
    EXPECT_STREQ(fileFormatName(FileFormat::WebP), "webp");
    EXPECT_STREQ(fileFormatName(FileFormat::Jp2), "jp2");
    EXPECT_STREQ(fileFormatName(FileFormat::Tga), "tga");
    EXPECT_STREQ(fileFormatName(FileFormat::Ico), "ico");
}

TEST(NewFormats, SignaturesAreNotMistakenForEachOther) {
    // Plain text and short data stay unknown; Targa's field check refuses nonsense.
    const std::string text = "Hello, this is a text file with words.";
    EXPECT_EQ(formatFromSignature(Bytes(text.begin(), text.end())), FileFormat::Unknown);
    Bytes zeros(40, 0);
    EXPECT_EQ(formatFromSignature(zeros), FileFormat::Unknown);
    // An ftyp box of another ISO file (an MP4 video) is not a picture.
    Bytes mp4 = {0,   0,   0, 20, 'f', 't', 'y', 'p', 'i', 's',
                 'o', 'm', 0, 0,  2,   0,   'm', 'p', '4', '1'};
    EXPECT_EQ(formatFromSignature(mp4), FileFormat::Unknown);
}

} // namespace
} // namespace fotoplex
