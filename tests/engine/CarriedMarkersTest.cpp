// Colour profiles and EXIF blocks of non-JPEG sources carried into the JPEG output.

#include "engine/CarriedMarkers.h"

#include "TestImages.h"
#include "engine/Decoders.h"
#include "engine/Exif.h"
#include "engine/RasterImage.h"
#include "engine/jpeg/JpegReader.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <numeric>

namespace fotoplex {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(CarriedMarkers, NothingToCarryGivesNoMarkers) {
    EXPECT_TRUE(carriedMarkers(DecodedInfo{}).empty());
}

TEST(CarriedMarkers, ALargeProfileIsSplitIntoNumberedChunks) {
    DecodedInfo info;
    info.iccProfile.resize(2 * kIccChunkBytes + 10);
    std::iota(info.iccProfile.begin(), info.iccProfile.end(), std::uint8_t{0});
    std::memcpy(&info.iccProfile[16], "RGB ", 4); // the colour space the JPEG is written in
    info.exif = {'M', 'M', 0, 42, 0, 0, 0, 8, 0, 0};
    const auto markers = carriedMarkers(info);
    ASSERT_EQ(markers.size(), 4u);
    EXPECT_EQ(markers[0].code, 0xE1);
    EXPECT_EQ(std::memcmp(markers[0].bytes.data(), "Exif\0\0MM", 8), 0);
    Bytes joined;
    for (std::size_t i = 1; i < markers.size(); ++i) {
        const Bytes& b = markers[i].bytes;
        EXPECT_EQ(markers[i].code, 0xE2);
        ASSERT_GT(b.size(), 14u);
        EXPECT_LE(b.size(), 65533u) << "longer than one marker can be";
        EXPECT_EQ(std::memcmp(b.data(), "ICC_PROFILE\0", 12), 0);
        EXPECT_EQ(b[12], i);
        EXPECT_EQ(b[13], 3);
        joined.insert(joined.end(), b.begin() + 14, b.end());
    }
    EXPECT_EQ(joined, info.iccProfile);
}

TEST(CarriedMarkers, ExifIsFoundWithOrWithoutItsName) {
    const Bytes tiff = {'I', 'I', 42, 0, 8, 0, 0, 0};
    Bytes named = {'E', 'x', 'i', 'f', 0, 0};
    named.insert(named.end(), tiff.begin(), tiff.end());
    EXPECT_EQ(exifTiffStructure(named), tiff);
    EXPECT_EQ(exifTiffStructure(tiff), tiff);
    EXPECT_TRUE(exifTiffStructure(Bytes{'x', 'y', 'z'}).empty());
}

// Reads the JPEG written from `source` and joins its profile chunks, in sequence order.
struct Written {
    Bytes profile;
    Bytes exif;
    std::size_t markers = 0;
};

Written writeAndReadBack(const std::string& source) {
    test::TempFolder folder;
    RasterImage image;
    image.ReadPictureFile(source);
    EXPECT_FALSE(image.Incomplete) << source;
    image.FileParams.Quality = 90;
    image.WriteJpegFile(folder.file("out.jpg"));
    const Bytes jpeg = test::readBytes(folder.file("out.jpg"));
    Picture picture;
    DecodedInfo info;
    JpegDetails details;
    decodeJpeg(jpeg, picture, info, details, false);
    Written w;
    w.markers = details.markers.size();
    for (const JpegMarker& m : details.markers) {
        if (m.code == 0xE2 && m.bytes.size() > 14 &&
            std::memcmp(m.bytes.data(), "ICC_PROFILE", 11) == 0) {
            w.profile.insert(w.profile.end(), m.bytes.begin() + 14, m.bytes.end());
        } else if (m.code == 0xE1) {
            w.exif = exifTiffStructure(m.bytes);
        }
    }
    return w;
}

TEST(CarriedMarkers, ProfilesOfHeifAndWebPReachTheJpeg) {
    const Bytes profile = test::readBytes(test::dataPath("formats/p3.icc"));
    ASSERT_FALSE(profile.empty());
    EXPECT_EQ(writeAndReadBack(test::dataPath("formats/p3.heic")).profile, profile);
    EXPECT_EQ(writeAndReadBack(test::dataPath("formats/meta.webp")).profile, profile);
    EXPECT_EQ(writeAndReadBack(test::dataPath("formats/p3.png")).profile, profile);
}

TEST(CarriedMarkers, ExifOfHeifAndWebPReachesTheJpeg) {
    for (const char* file : {"formats/exif.heic", "formats/meta.webp", "formats/exif.png"}) {
        const Written w = writeAndReadBack(test::dataPath(file));
        ASSERT_FALSE(w.exif.empty()) << file;
        const std::string text(w.exif.begin(), w.exif.end());
        EXPECT_NE(text.find("PhoneCam"), std::string::npos) << file;
    }
}

// HEIF's own boxes rotate; an EXIF Orientation is only a note, and the carried block must not
// make a viewer turn the already upright JPEG again.
TEST(CarriedMarkers, ExifCarriedFromHeifSaysUpright) {
    const std::string source = test::dataPath("formats/exif-orientation6.heic");
    const Bytes heic = test::readBytes(source);
    const auto exifAt = std::search(heic.begin(), heic.end(), "MM\0*", "MM\0*" + 4);
    const auto exifII = std::search(heic.begin(), heic.end(), "II*\0", "II*\0" + 4);
    const auto start = exifAt != heic.end() ? exifAt : exifII;
    ASSERT_NE(start, heic.end());
    EXPECT_EQ(readExifOrientation(Bytes(start, heic.end())), 6) << "the fixture says rotate";
    const Written w = writeAndReadBack(source);
    ASSERT_FALSE(w.exif.empty());
    EXPECT_EQ(readExifOrientation(w.exif), 1);
    const std::string text(w.exif.begin(), w.exif.end());
    EXPECT_NE(text.find("PhoneCam"), std::string::npos) << "the rest of the block is kept";
}

TEST(CarriedMarkers, APngWithoutProfileOrExifGetsNoMarkers) {
    for (const char* file :
         {"png/rgb8.png", "png/rgba8.png", "tiff/rgb.tif", "headers/sample.bmp"}) {
        EXPECT_EQ(writeAndReadBack(test::dataPath(file)).markers, 0u) << file;
    }
}

// exiftool, an outside reader, sees the same profile bytes in the JPEG.
TEST(CarriedMarkers, ExiftoolReadsTheCarriedProfile) {
    if (!test::toolPresent("exiftool")) {
        GTEST_SKIP() << "exiftool not installed";
    }
    test::TempFolder folder;
    RasterImage image;
    image.ReadPictureFile(test::dataPath("formats/p3.heic"));
    image.FileParams.Quality = 90;
    image.WriteJpegFile(folder.file("out.jpg"));
    const std::string profile =
        test::commandOutput("exiftool -b -icc_profile " + folder.file("out.jpg"));
    const Bytes expected = test::readBytes(test::dataPath("formats/p3.icc"));
    EXPECT_EQ(Bytes(profile.begin(), profile.end()), expected);
}

// --- A profile travels only into a JPEG of its own colour space. ---

// A profile of `size` bytes whose header states `space` (four characters).
Bytes profileOf(const char* space, std::size_t size = 200) {
    Bytes profile(size, 0);
    std::memcpy(&profile[16], space, 4);
    return profile;
}

TEST(ProfileColourSpace, TheHeaderFieldMustMatchTheJpegWritten) {
    const Bytes grey = profileOf("GRAY");
    const Bytes rgb = profileOf("RGB ");
    const Bytes cmyk = profileOf("CMYK");
    EXPECT_TRUE(profileFits(grey, JpegColorSpace::Greyscale));
    EXPECT_TRUE(profileFits(rgb, JpegColorSpace::YCbCr));
    EXPECT_TRUE(profileFits(rgb, JpegColorSpace::Rgb));
    EXPECT_TRUE(profileFits(cmyk, JpegColorSpace::Cmyk));
    EXPECT_TRUE(profileFits(cmyk, JpegColorSpace::Ycck));
    for (const JpegColorSpace three : {JpegColorSpace::YCbCr, JpegColorSpace::Rgb}) {
        EXPECT_FALSE(profileFits(grey, three));
        EXPECT_FALSE(profileFits(cmyk, three));
    }
    EXPECT_FALSE(profileFits(rgb, JpegColorSpace::Greyscale));
    EXPECT_FALSE(profileFits(rgb, JpegColorSpace::Cmyk));
    EXPECT_FALSE(profileFits(profileOf("Lab "), JpegColorSpace::YCbCr));
    // Cut before the field ends: nothing to go by.
    EXPECT_FALSE(profileFits(Bytes(rgb.begin(), rgb.begin() + 19), JpegColorSpace::YCbCr));
    EXPECT_TRUE(profileFits(Bytes(rgb.begin(), rgb.begin() + 20), JpegColorSpace::YCbCr));
}

TEST(ProfileColourSpace, OnlyAnRgbProfileIsCarriedFromAnotherFormat) {
    DecodedInfo info;
    info.exif = {'M', 'M', 0, 42, 0, 0, 0, 8, 0, 0};
    for (const char* space : {"GRAY", "CMYK"}) {
        info.iccProfile = profileOf(space);
        const auto markers = carriedMarkers(info);
        ASSERT_EQ(markers.size(), 1u) << space;
        EXPECT_EQ(markers[0].code, 0xE1) << "the EXIF block stays";
    }
    info.iccProfile = profileOf("RGB ");
    EXPECT_EQ(carriedMarkers(info).size(), 2u);
}

JpegMarker iccChunk(const Bytes& piece, std::uint8_t sequence, std::uint8_t count) {
    JpegMarker m{0xE2, Bytes{'I', 'C', 'C', '_', 'P', 'R', 'O', 'F', 'I', 'L', 'E', 0}};
    m.bytes.push_back(sequence);
    m.bytes.push_back(count);
    m.bytes.insert(m.bytes.end(), piece.begin(), piece.end());
    return m;
}

TEST(ProfileColourSpace, AMismatchedProfileLosesEveryPieceAndNothingElse) {
    const Bytes cmyk = profileOf("CMYK", 300);
    const JpegMarker comment{0xFE, {'h', 'i'}};
    const JpegMarker exif{0xE1, {'E', 'x', 'i', 'f', 0, 0}};
    // The second piece comes first in the file: the header is in piece 1 wherever it lies.
    const std::vector<JpegMarker> markers = {
        comment, iccChunk(Bytes(cmyk.begin() + 150, cmyk.end()), 2, 2), exif,
        iccChunk(Bytes(cmyk.begin(), cmyk.begin() + 150), 1, 2)};
    EXPECT_EQ(withoutMismatchedProfile(markers, JpegColorSpace::YCbCr),
              (std::vector<JpegMarker>{comment, exif}));
    EXPECT_EQ(withoutMismatchedProfile(markers, JpegColorSpace::Cmyk), markers);
    const std::vector<JpegMarker> none = {comment, exif};
    EXPECT_EQ(withoutMismatchedProfile(none, JpegColorSpace::Greyscale), none);
}

TEST(ProfileColourSpace, AJpegWrittenKeepsOnlyAProfileOfItsColourSpace) {
    test::TempFolder folder;
    RasterImage image;
    Picture picture = makePicture(16, 8, PixelFormat::Rgb24);
    std::fill(picture.pixels.begin(), picture.pixels.end(), std::uint8_t{90});
    image.assignPicture(picture);
    image.FileParams.Quality = 80;
    image.FileParams.Markers = {iccChunk(profileOf("CMYK"), 1, 1)};
    const auto profileMarkers = [&](JpegColorSpace space) {
        image.FileParams.ColorSpace = space;
        image.WriteJpegFile(folder.file("out.jpg"));
        const Bytes jpeg = test::readBytes(folder.file("out.jpg"));
        Picture decoded;
        DecodedInfo info;
        JpegDetails details;
        EXPECT_NE(decodeJpeg(jpeg, decoded, info, details, false).status, DecodeStatus::Failed);
        return std::count_if(details.markers.begin(), details.markers.end(),
                             [](const JpegMarker& m) { return m.code == 0xE2; });
    };
    EXPECT_EQ(profileMarkers(JpegColorSpace::YCbCr), 0);
    EXPECT_EQ(profileMarkers(JpegColorSpace::Greyscale), 0);
    EXPECT_EQ(profileMarkers(JpegColorSpace::Cmyk), 1);
    EXPECT_EQ(image.FileParams.Markers.size(), 1u) << "the picture keeps what it read";
}

} // namespace
} // namespace fotoplex
