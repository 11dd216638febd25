#include "engine/Orientation.h"

#include "TestImages.h"
#include "engine/Exif.h"
#include "engine/RasterImage.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>

namespace fotoplex {
namespace {

using test::dataPath;
using test::largestDifference;
using test::loadExpected;
using Bytes = std::vector<std::uint8_t>;

struct Kind {
    const char* name;
    const char* extension;
    int tolerance; // JPEG decoders may differ by a level or two
};
constexpr Kind kKinds[] = {
    {"jpeg", ".jpg", 2}, {"tiff", ".tif", 0}, {"png", ".png", 0}, {"webp", ".webp", 0}};

std::string fixture(const Kind& kind, int orientation) {
    return dataPath("orientation/" + std::string(kind.name) + "-" + std::to_string(orientation) +
                    kind.extension);
}

// ImageMagick's -auto-orient of the JPEG, or of the TIFF for the lossless formats (the PNG
// and lossless WebP files hold the very pixels of the TIFF files).
std::string expectedFor(const Kind& kind, int orientation) {
    const std::string base = std::string(kind.name) == "jpeg" ? "jpeg" : "tiff";
    return dataPath("orientation/" + base + "-" + std::to_string(orientation) + ".expected.ppm");
}

// The payload of the first APP1 segment of a JPEG file, found by walking its segments.
Bytes firstApp1(const Bytes& file) {
    std::size_t at = 2;
    while (at + 4 <= file.size() && file[at] == 0xFF) {
        const std::uint8_t code = file[at + 1];
        const std::size_t length = (std::size_t{file[at + 2]} << 8) | file[at + 3];
        if (code == 0xE1) {
            return Bytes(file.begin() + static_cast<std::ptrdiff_t>(at + 4),
                         file.begin() + static_cast<std::ptrdiff_t>(at + 2 + length));
        }
        at += 2 + length;
    }
    return {};
}

// Where the Orientation entry keeps its value, found by its bytes (tag 0x0112, SHORT, count 1)
// in either byte order.
std::size_t orientationValueAt(const Bytes& app1) {
    const Bytes little = {0x12, 0x01, 0x03, 0x00, 0x01, 0x00, 0x00, 0x00};
    const Bytes big = {0x01, 0x12, 0x00, 0x03, 0x00, 0x00, 0x00, 0x01};
    for (const Bytes& entry : {little, big}) {
        const auto found = std::search(app1.begin(), app1.end(), entry.begin(), entry.end());
        if (found != app1.end()) {
            return static_cast<std::size_t>(found - app1.begin()) + entry.size();
        }
    }
    return app1.size();
}

TEST(UprightPictures, EveryOrientationMatchesTheOutsideTool) {
    for (const Kind& kind : kKinds) {
        for (int n = 1; n <= 8; ++n) {
            SCOPED_TRACE(fixture(kind, n));
            RasterImage image;
            image.ReadPictureFile(fixture(kind, n));
            EXPECT_FALSE(image.Incomplete);
            const auto expected = loadExpected(expectedFor(kind, n));
            const bool turned = n >= 5;
            EXPECT_EQ(image.width(), turned ? 30 : 45);
            EXPECT_EQ(image.height(), turned ? 45 : 30);
            EXPECT_EQ(image.FileParams.Width, image.width());
            EXPECT_EQ(image.FileParams.Height, image.height());
            EXPECT_EQ(image.FileParams.Orientation, n);
            EXPECT_LE(largestDifference(image.picture(), expected), kind.tolerance);
        }
    }
}

TEST(UprightPictures, TheHeaderGivesTheUprightSize) {
    for (const Kind& kind : kKinds) {
        for (int n = 1; n <= 8; ++n) {
            SCOPED_TRACE(fixture(kind, n));
            RasterImage image;
            image.ReadFileHeader(fixture(kind, n));
            EXPECT_EQ(image.FileParams.Width, n >= 5 ? 30 : 45);
            EXPECT_EQ(image.FileParams.Height, n >= 5 ? 45 : 30);
            EXPECT_EQ(image.FileParams.Orientation, n);
            EXPECT_TRUE(image.picture().empty()) << "a header read leaves the picture alone";
        }
    }
}

TEST(UprightPictures, TheCarriedExifDiffersFromTheSourceOnlyInItsOrientation) {
    for (int n = 1; n <= 8; ++n) {
        SCOPED_TRACE(n);
        const Bytes source = firstApp1(test::readBytes(fixture(kKinds[0], n)));
        const std::size_t at = orientationValueAt(source);
        ASSERT_LT(at + 1, source.size());
        RasterImage image;
        image.ReadPictureFile(fixture(kKinds[0], n));
        const auto carried =
            std::find_if(image.FileParams.Markers.begin(), image.FileParams.Markers.end(),
                         [](const JpegMarker& m) { return m.code == 0xE1; });
        ASSERT_NE(carried, image.FileParams.Markers.end());
        Bytes upright = source;
        const bool bigEndian = source[6] == 'M';
        upright[at] = bigEndian ? 0 : 1;
        upright[at + 1] = bigEndian ? 1 : 0;
        EXPECT_EQ(carried->bytes, upright);
        EXPECT_EQ(carried->bytes.size(), source.size());
    }
}

TEST(UprightPictures, AJpegWrittenFromATurnedPictureIsUprightAndSaysSo) {
    test::TempFolder folder;
    RasterImage image;
    image.ReadPictureFile(fixture(kKinds[0], 6));
    image.FileParams.Quality = 95;
    image.WriteJpegFile(folder.file("out.jpg"));
    RasterImage again;
    again.ReadPictureFile(folder.file("out.jpg"));
    EXPECT_EQ(again.FileParams.Orientation, 1);
    EXPECT_EQ(again.width(), 30);
    EXPECT_EQ(again.height(), 45);
    EXPECT_LT(test::meanDifference(again.picture(), loadExpected(expectedFor(kKinds[0], 6))), 4.0);
}

TEST(UprightPictures, ADamagedExifBlockIsCarriedAsItIsAndThePixelsStayAsStored) {
    Bytes file = test::readBytes(fixture(kKinds[0], 6));
    const Bytes app1 = firstApp1(file);
    const auto start = std::search(file.begin(), file.end(), app1.begin(), app1.end());
    ASSERT_NE(start, file.end());
    // IFD0 of an exiftool block starts right after the 8-byte TIFF header: claim 0xFFFF
    // entries, far more than the block holds.
    const auto entryCount = start + 6 + 8;
    entryCount[0] = 0xFF;
    entryCount[1] = 0xFF;
    const Bytes damaged = firstApp1(file);

    RasterImage image;
    image.ReadPictureStream(file, FileFormat::Jpeg);
    EXPECT_EQ(image.FileParams.Orientation, 1);
    EXPECT_EQ(image.width(), 45);
    EXPECT_EQ(image.height(), 30);
    EXPECT_LE(largestDifference(image.picture(), loadExpected(expectedFor(kKinds[0], 1))), 2);
    ASSERT_FALSE(image.FileParams.Markers.empty());
    EXPECT_EQ(image.FileParams.Markers.front().bytes, damaged);
}

// --- The turn itself, for the layouts the fixtures do not reach. ---

Picture patterned(std::int32_t width, std::int32_t height, PixelFormat format) {
    Picture p = makePicture(width, height, format);
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            const bool on = (x * 7 + y * 3 + x * y) % 5 < 2;
            if (format == PixelFormat::Bilevel && on) {
                p.row(y)[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
            } else if (format == PixelFormat::Rgb24) {
                std::fill_n(p.row(y) + 3 * x, 3, static_cast<std::uint8_t>(on ? 255 : 0));
            }
        }
    }
    return p;
}

// Two independent paths (bit by bit, and tiled bytes) must agree, across tile edges too.
TEST(TurnUpright, ABilevelPictureTurnsAsItsColourTwin) {
    for (std::uint16_t n = 1; n <= 8; ++n) {
        SCOPED_TRACE(n);
        Picture bits = patterned(131, 70, PixelFormat::Bilevel); // rows of 17 bytes, partly used
        Picture colour = patterned(131, 70, PixelFormat::Rgb24);
        turnUpright(bits, n);
        turnUpright(colour, n);
        ASSERT_EQ(bits.width, colour.width);
        ASSERT_EQ(bits.height, colour.height);
        EXPECT_EQ(bits.pixels.size(), bits.rowBytes() * static_cast<std::size_t>(bits.height));
        for (std::int32_t y = 0; y < bits.height; ++y) {
            for (std::int32_t x = 0; x < bits.width; ++x) {
                const bool on = (bits.row(y)[x >> 3] & (0x80 >> (x & 7))) != 0;
                ASSERT_EQ(on, colour.row(y)[3 * x] == 255) << x << "," << y;
            }
        }
    }
}

TEST(TurnUpright, AlphaFollowsThePixelsAcrossTileEdges) {
    for (std::uint16_t n = 1; n <= 8; ++n) {
        SCOPED_TRACE(n);
        Picture p = makePicture(131, 70, PixelFormat::Rgb24); // more than two tiles across
        p.alpha.resize(131 * 70);
        for (std::size_t i = 0; i < p.alpha.size(); ++i) {
            p.pixels[3 * i] = static_cast<std::uint8_t>(i * 13);
            p.pixels[3 * i + 1] = static_cast<std::uint8_t>(i >> 8);
            p.alpha[i] = static_cast<std::uint8_t>(i * 13);
        }
        Bytes stored = p.pixels;
        turnUpright(p, n);
        EXPECT_EQ(p.width, n >= 5 ? 70 : 131);
        std::sort(stored.begin(), stored.end());
        Bytes turned = p.pixels;
        std::sort(turned.begin(), turned.end());
        EXPECT_EQ(turned, stored) << "every pixel is kept once";
        for (std::size_t i = 0; i < p.alpha.size(); ++i) {
            ASSERT_EQ(p.alpha[i], p.pixels[3 * i]) << i;
        }
    }
}

TEST(TurnUpright, ValuesOutsideOneToEightAndEmptyPicturesAreLeftAlone) {
    Picture p = patterned(5, 3, PixelFormat::Rgb24);
    const Picture before = p;
    for (const std::uint16_t n : {0, 1, 9, 0xFFFF}) {
        turnUpright(p, n);
        EXPECT_EQ(p.pixels, before.pixels);
        EXPECT_EQ(p.width, 5);
    }
    Picture empty;
    turnUpright(empty, 6);
    EXPECT_TRUE(empty.empty());
}

} // namespace
} // namespace fotoplex
