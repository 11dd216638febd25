// Plain copies without their location: each format keeps its picture byte for byte and loses
// every place that states where it was taken, as exiftool (which made the fixtures) reads them.
#include "engine/Exif.h"
#include "engine/FileMetadataCopy.h"
#include "engine/JpegMetadataCopy.h"
#include "engine/LocationScan.h"
#include "engine/MetadataFilter.h"
#include "engine/XmpLocation.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>
#include <zlib.h>

namespace fotoplex {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

const fs::path kData = fs::path(FOTOPLEX_TEST_DATA) / "location";

Bytes load(const std::string& name) {
    std::ifstream in(kData / name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::string asText(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

std::string run(const std::string& command) {
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        std::array<char, 4096> buffer{};
        std::size_t n = 0;
        while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
            out.append(buffer.data(), n);
        }
        ::pclose(pipe);
    }
    return out;
}

bool haveExiftool() {
    return run("exiftool -ver 2>/dev/null").size() > 1;
}

// What exiftool finds of a location (GPS group and XMP coordinates), and the orientation.
std::string exiftoolSays(const Bytes& file) {
    const fs::path path =
        fs::temp_directory_path() / ("fotoplex-location-" + std::to_string(::getpid()) + ".bin");
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()),
               static_cast<std::streamsize>(file.size()));
    const std::string said =
        run("exiftool -q -q -s -G1 -a -gps:all -xmp:all -Orientation '" + path.string() + "'");
    fs::remove(path);
    return said;
}

// The part of a JPEG from its first scan on: the compressed picture.
Bytes jpegScan(const Bytes& file) {
    for (std::size_t i = 2; i + 1 < file.size(); ++i) {
        if (file[i] == 0xFF && file[i + 1] == 0xDA) {
            return Bytes(file.begin() + static_cast<long>(i), file.end());
        }
    }
    return {};
}

// The segments of a JPEG up to its first scan.
std::vector<JpegMarker> jpegMarkers(const Bytes& file) {
    std::vector<JpegMarker> markers;
    std::size_t pos = 2;
    while (pos + 4 <= file.size() && file[pos] == 0xFF && file[pos + 1] != 0xDA) {
        const std::size_t length = (std::size_t{file[pos + 2]} << 8) | file[pos + 3];
        markers.push_back(
            {file[pos + 1], Bytes(file.begin() + static_cast<long>(pos + 4),
                                  file.begin() + static_cast<long>(pos + 2 + length))});
        pos += 2 + length;
    }
    return markers;
}

TEST(LocationCopy, JpegLosesEveryLocationAndKeepsItsPicture) {
    const Bytes source = load("gps.jpg");
    ASSERT_TRUE(mayStateLocation(source));
    const auto copy = fileWithMetadata(source, MetadataChoice::NoLocation);
    ASSERT_TRUE(copy.has_value());
    EXPECT_EQ(jpegScan(*copy), jpegScan(source));
    EXPECT_FALSE(mayStateLocation(*copy));
    bool exifKept = false;
    for (const JpegMarker& m : jpegMarkers(*copy)) {
        exifKept = exifKept || isExifMarker(m);
    }
    EXPECT_TRUE(exifKept) << "the rest of the EXIF block stays";
    if (haveExiftool()) {
        const std::string before = exiftoolSays(source);
        ASSERT_NE(before.find("GPSLatitude"), std::string::npos) << before;
        const std::string after = exiftoolSays(*copy);
        EXPECT_EQ(after.find("GPS"), std::string::npos) << after;
        EXPECT_NE(after.find("Rotate 90 CW"), std::string::npos) << after;
    }
}

TEST(LocationCopy, ProfileKeepsOnlyATurningOrientation) {
    const Bytes turned = load("gps.jpg");
    const auto copy = jpegWithMetadata(turned, MetadataChoice::Profile);
    ASSERT_TRUE(copy.has_value());
    EXPECT_EQ(jpegScan(*copy), jpegScan(turned));
    const auto markers = jpegMarkers(*copy);
    std::size_t exifBlocks = 0;
    for (const JpegMarker& m : markers) {
        if (isExifMarker(m)) {
            ++exifBlocks;
            EXPECT_EQ(readExifOrientation(m.bytes), std::optional<std::uint16_t>(6));
            EXPECT_LE(m.bytes.size(), 40u) << "nothing but the Orientation";
        } else if (m.code >= 0xE1) { // application markers and comments; JFIF may stay
            EXPECT_TRUE(isIccProfile(m)) << int(m.code);
        }
    }
    EXPECT_EQ(exifBlocks, 1u);
    EXPECT_FALSE(mayStateLocation(*copy));
    if (haveExiftool()) {
        const std::string said = exiftoolSays(*copy);
        EXPECT_NE(said.find("Rotate 90 CW"), std::string::npos) << said;
        EXPECT_EQ(said.find("GPS"), std::string::npos) << said;
    }

    // Upright: no EXIF block at all.
    const auto plain = jpegWithMetadata(load("xmp-only.jpg"), MetadataChoice::Profile);
    ASSERT_TRUE(plain.has_value());
    for (const JpegMarker& m : jpegMarkers(*plain)) {
        EXPECT_NE(m.code, 0xE1);
    }
}

JpegMarker xmpPart(const std::string& guid, std::uint32_t fullLength, std::uint32_t offset,
                   const std::string& data) {
    std::string bytes("http://ns.adobe.com/xmp/extension/\0", 35);
    bytes += guid;
    for (const std::uint32_t v : {fullLength, offset}) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            bytes.push_back(static_cast<char>(v >> shift));
        }
    }
    bytes += data;
    return {0xE1, Bytes(bytes.begin(), bytes.end())};
}

JpegMarker xmpPacket(const std::string& data) {
    const std::string bytes = std::string("http://ns.adobe.com/xap/1.0/\0", 29) + data;
    return {0xE1, Bytes(bytes.begin(), bytes.end())};
}

TEST(LocationCopy, XmpNamesAreFoundInAnyCaseAndAcrossExtendedParts) {
    for (const char* name :
         {"exif:GPSLatitude", "exif:GPSLongitude", "exif:GPSDestLatitude", "exif:GPSDestLongitude",
          "drone-dji:GpsLatitude", "Camera:gpslongitude", "LATITUDE"}) {
        EXPECT_TRUE(xmpNamesLocation(std::string("<x ") + name + "=\"1\"/>")) << name;
    }
    EXPECT_FALSE(xmpNamesLocation("<x exif:GPSAltitude=\"3\" dc:title=\"Lat\"/>"));

    const std::string guidA(32, 'A');
    const std::string guidB(32, 'B');
    const std::string first = "<rdf:Description exif:GPSLat";
    const std::string second = "itude=\"48,51N\"/>";
    const std::string whole = first + second;
    const auto total = static_cast<std::uint32_t>(whole.size());
    // The parts of A come in reverse order; each alone names nothing.
    const JpegMarker a2 = xmpPart(guidA, total, static_cast<std::uint32_t>(first.size()), second);
    const JpegMarker a1 = xmpPart(guidA, total, 0, first);
    const JpegMarker b1 = xmpPart(guidB, 10, 0, "<x dc:a=1/>");
    const JpegMarker main = xmpPacket("<x xmpNote:HasExtendedXMP=\"AAAA\"/>");
    const JpegMarker lowerCase = xmpPacket("<x exif:gpslongitude=\"2,17E\"/>");
    const auto kept = markersFor({main, a2, b1, a1, lowerCase}, MetadataChoice::NoLocation);
    EXPECT_EQ(kept, (std::vector<JpegMarker>{main, b1}));
}

// A multi-picture file: `first` with an MPF index (written by hand, as cameras do) naming
// `second`, which follows it.
Bytes multiPicture(const Bytes& first, const Bytes& second, bool bigEndian) {
    Bytes tiff;
    const auto put = [&](std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i) {
            const int shift = bigEndian ? 8 * (n - 1 - i) : 8 * i;
            tiff.push_back(static_cast<std::uint8_t>(v >> shift));
        }
    };
    tiff.insert(tiff.end(), bigEndian ? std::initializer_list<std::uint8_t>{'M', 'M', 0, 42}
                                      : std::initializer_list<std::uint8_t>{'I', 'I', 42, 0});
    put(8, 4);
    put(3, 2); // three entries
    put(0xB000, 2), put(7, 2), put(4, 4), tiff.insert(tiff.end(), {'0', '1', '0', '0'});
    put(0xB001, 2), put(4, 2), put(1, 4), put(2, 4);
    put(0xB002, 2), put(7, 2), put(32, 4), put(8 + 2 + 36 + 4, 4);
    put(0, 4); // no next IFD
    const std::size_t entries = tiff.size();
    put(0x20030000, 4), put(0, 4), put(0, 4), put(0, 2), put(0, 2); // the first picture
    put(0x00020002, 4), put(static_cast<std::uint32_t>(second.size()), 4), put(0, 4), put(0, 2),
        put(0, 2);
    Bytes app2 = {0xFF, 0xE2, 0, 0, 'M', 'P', 'F', 0};
    app2.insert(app2.end(), tiff.begin(), tiff.end());
    app2[2] = static_cast<std::uint8_t>((app2.size() - 2) >> 8);
    app2[3] = static_cast<std::uint8_t>((app2.size() - 2) & 0xFF);

    Bytes file(first.begin(), first.begin() + 2);
    const std::size_t tiffAt = file.size() + 8;
    file.insert(file.end(), app2.begin(), app2.end());
    file.insert(file.end(), first.begin() + 2, first.end());
    Bytes out = file;
    // The entries in the file: the first picture's size, the second one's offset.
    const auto patch = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            const int shift = bigEndian ? 24 - 8 * i : 8 * i;
            out[tiffAt + at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> shift);
        }
    };
    patch(entries + 4, static_cast<std::uint32_t>(file.size()));
    patch(entries + 16 + 8, static_cast<std::uint32_t>(file.size() - tiffAt));
    out.insert(out.end(), second.begin(), second.end());
    return out;
}

struct MpfPicture {
    std::size_t begin;
    std::size_t size;
};

// The further picture an MPF index names, read back the way a viewer does.
std::optional<MpfPicture> secondPicture(const Bytes& file) {
    const std::string text = asText(file);
    const std::size_t mpf = text.find(std::string("MPF\0", 4));
    if (mpf == std::string::npos) {
        return std::nullopt;
    }
    const std::size_t tiffAt = mpf + 4;
    const bool big = file[tiffAt] == 'M';
    const auto u32 = [&](std::size_t at) {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            const int shift = big ? 24 - 8 * i : 8 * i;
            v |= std::uint32_t{file[tiffAt + at + static_cast<std::size_t>(i)]} << shift;
        }
        return v;
    };
    const std::size_t entries = 8 + 2 + 36 + 4;
    return MpfPicture{tiffAt + u32(entries + 16 + 8), u32(entries + 16 + 4)};
}

TEST(LocationCopy, FurtherPicturesOfAMultiPictureFileLoseTheirLocationToo) {
    const Bytes first = load("plain.jpg");
    const Bytes second = load("gps.jpg");
    for (const bool bigEndian : {true, false}) {
        const Bytes file = multiPicture(first, second, bigEndian);
        const auto before = secondPicture(file);
        ASSERT_TRUE(before.has_value());
        ASSERT_EQ(Bytes(file.begin() + static_cast<long>(before->begin), file.end()), second);

        const auto copy = jpegWithMetadata(file, MetadataChoice::NoLocation);
        ASSERT_TRUE(copy.has_value());
        EXPECT_FALSE(mayStateLocation(*copy));
        const auto after = secondPicture(*copy);
        ASSERT_TRUE(after.has_value());
        ASSERT_EQ(after->begin + after->size, copy->size());
        const Bytes further(copy->begin() + static_cast<long>(after->begin), copy->end());
        EXPECT_EQ(further, *jpegWithMetadata(second, MetadataChoice::NoLocation));
        EXPECT_EQ(jpegScan(further), jpegScan(second));

        const auto profile = jpegWithMetadata(file, MetadataChoice::Profile);
        ASSERT_TRUE(profile.has_value());
        EXPECT_EQ(*profile, *jpegWithMetadata(first, MetadataChoice::Profile))
            << "the index goes, and the pictures it named";
    }
    // An index naming a picture past the end of the file: the location cannot be vouched for.
    Bytes cut = multiPicture(first, second, true);
    cut.resize(cut.size() - 10);
    EXPECT_FALSE(jpegWithMetadata(cut, MetadataChoice::NoLocation).has_value());
    EXPECT_FALSE(fileWithMetadata(cut, MetadataChoice::NoLocation).has_value());
}

// PNG chunk types in order, each checked against its CRC.
std::vector<std::string> pngChunks(const Bytes& file, std::string* idat = nullptr) {
    std::vector<std::string> types;
    std::size_t pos = 8;
    while (pos + 12 <= file.size()) {
        const std::size_t length = (std::size_t{file[pos]} << 24) |
                                   (std::size_t{file[pos + 1]} << 16) |
                                   (std::size_t{file[pos + 2]} << 8) | file[pos + 3];
        const uLong crc = crc32(0L, file.data() + pos + 4, static_cast<uInt>(length + 4));
        const std::size_t at = pos + 8 + length;
        const uLong stored = (uLong{file[at]} << 24) | (uLong{file[at + 1]} << 16) |
                             (uLong{file[at + 2]} << 8) | file[at + 3];
        const std::string type(file.begin() + static_cast<long>(pos + 4),
                               file.begin() + static_cast<long>(pos + 8));
        types.push_back(crc == stored ? type : type + "(bad CRC)");
        if (idat != nullptr && type == "IDAT") {
            *idat += std::string(file.begin() + static_cast<long>(pos + 8),
                                 file.begin() + static_cast<long>(at));
        }
        pos = at + 4;
    }
    return types;
}

TEST(LocationCopy, PngLosesItsLocationInEXifAndXmp) {
    const Bytes source = load("gps.png");
    std::string idat;
    const auto before = pngChunks(source, &idat);
    ASSERT_NE(std::find(before.begin(), before.end(), "eXIf"), before.end());
    ASSERT_NE(std::find(before.begin(), before.end(), "iTXt"), before.end());

    const auto copy = fileWithMetadata(source, MetadataChoice::NoLocation);
    ASSERT_TRUE(copy.has_value());
    std::string copiedIdat;
    const auto after = pngChunks(*copy, &copiedIdat);
    EXPECT_EQ(copiedIdat, idat);
    for (const std::string& type : after) {
        EXPECT_EQ(type.find("bad CRC"), std::string::npos) << type;
    }
    EXPECT_NE(std::find(after.begin(), after.end(), "eXIf"), after.end()) << "EXIF stays";
    EXPECT_FALSE(mayStateLocation(*copy));
    if (haveExiftool()) {
        const std::string said = exiftoolSays(*copy);
        EXPECT_EQ(said.find("GPS"), std::string::npos) << said;
        EXPECT_NE(said.find("Rotate 90 CW"), std::string::npos) << said;
    }

    const auto profile = fileWithMetadata(source, MetadataChoice::Profile);
    ASSERT_TRUE(profile.has_value());
    std::string profileIdat;
    for (const std::string& type : pngChunks(*profile, &profileIdat)) {
        EXPECT_TRUE(type == "IHDR" || type == "IDAT" || type == "IEND" || type == "eXIf" ||
                    type == "gAMA" || type == "cHRM" || type == "sRGB" || type == "pHYs")
            << type;
    }
    EXPECT_EQ(profileIdat, idat);
    if (haveExiftool()) {
        const std::string said = exiftoolSays(*profile);
        EXPECT_EQ(said.find("GPS"), std::string::npos) << said;
        EXPECT_NE(said.find("Rotate 90 CW"), std::string::npos) << said;
    }
}

// The chunks of a WebP file, and its extended header's flags.
struct WebpLayout {
    std::vector<std::string> chunks;
    std::uint8_t flags = 0;
    std::size_t riffSize = 0;
    std::string picture; // VP8L or VP8 data
};

WebpLayout webpLayout(const Bytes& file) {
    WebpLayout layout;
    layout.riffSize = file[4] | (file[5] << 8) | (file[6] << 16) | (std::size_t{file[7]} << 24);
    std::size_t pos = 12;
    while (pos + 8 <= file.size()) {
        const std::string type(file.begin() + static_cast<long>(pos),
                               file.begin() + static_cast<long>(pos + 4));
        const std::size_t size = file[pos + 4] | (file[pos + 5] << 8) | (file[pos + 6] << 16) |
                                 (std::size_t{file[pos + 7]} << 24);
        layout.chunks.push_back(type);
        if (type == "VP8X") {
            layout.flags = file[pos + 8];
        }
        if (type == "VP8L" || type == "VP8 ") {
            layout.picture.assign(file.begin() + static_cast<long>(pos + 8),
                                  file.begin() + static_cast<long>(pos + 8 + size));
        }
        pos += 8 + size + size % 2;
    }
    return layout;
}

TEST(LocationCopy, WebpLosesItsLocationAndSaysSoInItsHeader) {
    const Bytes source = load("gps.webp");
    const WebpLayout before = webpLayout(source);
    ASSERT_EQ(before.flags & 0x0C, 0x0C) << "EXIF and XMP";

    const auto copy = fileWithMetadata(source, MetadataChoice::NoLocation);
    ASSERT_TRUE(copy.has_value());
    const WebpLayout after = webpLayout(*copy);
    EXPECT_EQ(after.riffSize + 8, copy->size());
    EXPECT_EQ(after.picture, before.picture);
    EXPECT_EQ(after.flags & 0x0C, 0x08) << "the EXIF stays, the XMP naming a place goes";
    EXPECT_EQ(std::count(after.chunks.begin(), after.chunks.end(), "XMP "), 0);
    EXPECT_FALSE(mayStateLocation(*copy));

    const auto profile = fileWithMetadata(source, MetadataChoice::Profile);
    ASSERT_TRUE(profile.has_value());
    const WebpLayout light = webpLayout(*profile);
    EXPECT_EQ(light.picture, before.picture);
    EXPECT_EQ(light.riffSize + 8, profile->size());
    EXPECT_EQ(light.flags & 0x0C, 0x08) << "only the Orientation";
    if (haveExiftool()) {
        for (const Bytes* written : {&*copy, &*profile}) {
            const std::string said = exiftoolSays(*written);
            EXPECT_EQ(said.find("GPS"), std::string::npos) << said;
            EXPECT_NE(said.find("Rotate 90 CW"), std::string::npos) << said;
        }
    }
}

// The TIFF structure of gps.jpg's EXIF block: a GPS position.
Bytes gpsTiff() {
    for (const JpegMarker& m : jpegMarkers(load("gps.jpg"))) {
        if (isExifMarker(m)) {
            return Bytes(m.bytes.begin() + 6, m.bytes.end());
        }
    }
    return {};
}

Bytes pngChunk(const std::string& type, const Bytes& data) {
    Bytes chunk;
    for (int shift = 24; shift >= 0; shift -= 8) {
        chunk.push_back(static_cast<std::uint8_t>(data.size() >> shift));
    }
    chunk.insert(chunk.end(), type.begin(), type.end());
    chunk.insert(chunk.end(), data.begin(), data.end());
    const uLong crc = crc32(0L, chunk.data() + 4, static_cast<uInt>(chunk.size() - 4));
    for (int shift = 24; shift >= 0; shift -= 8) {
        chunk.push_back(static_cast<std::uint8_t>(crc >> shift));
    }
    return chunk;
}

TEST(LocationCopy, OtherCarriersOfALocationGoToo) {
    const Bytes tiff = gpsTiff();
    ASSERT_FALSE(tiff.empty());
    std::string photoshop("Photoshop 3.0\0"
                          "8BIM\x04\x22\0\0",
                          22);
    photoshop.append(tiff.begin(), tiff.end());
    const JpegMarker app13{0xED, Bytes(photoshop.begin(), photoshop.end())};
    const std::string said = "shot at Latitude 48.85";
    const JpegMarker locatedComment{0xFE, Bytes(said.begin(), said.end())};
    const JpegMarker comment{0xFE, Bytes{'h', 'i'}};
    EXPECT_EQ(markersFor({app13, comment, locatedComment}, MetadataChoice::NoLocation),
              std::vector<JpegMarker>{comment});

    // A vendor's own PNG chunk with a copy of the EXIF block, beside a harmless one.
    const Bytes plainPng = load("plain.png");
    Bytes png(plainPng.begin(), plainPng.end() - 12); // before IEND
    for (const Bytes& chunk : {pngChunk("vnDr", tiff), pngChunk("ruBy", {1, 2, 3})}) {
        png.insert(png.end(), chunk.begin(), chunk.end());
    }
    png.insert(png.end(), plainPng.end() - 12, plainPng.end());
    ASSERT_TRUE(mayStateLocation(png));
    const auto pngCopy = fileWithMetadata(png, MetadataChoice::NoLocation);
    ASSERT_TRUE(pngCopy.has_value());
    const auto types = pngChunks(*pngCopy);
    EXPECT_EQ(std::count(types.begin(), types.end(), "vnDr"), 0);
    EXPECT_EQ(std::count(types.begin(), types.end(), "ruBy"), 1);

    // The same in a WebP chunk of its own.
    Bytes webp = load("plain.webp");
    webp.insert(webp.end(), {'V', 'N', 'D', 'R', 0, 0, 0, 0});
    const auto size = static_cast<std::uint32_t>(tiff.size());
    for (int i = 0; i < 4; ++i) {
        webp[webp.size() - 4 + static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>(size >> (8 * i));
    }
    webp.insert(webp.end(), tiff.begin(), tiff.end());
    if (tiff.size() % 2 != 0) {
        webp.push_back(0);
    }
    const auto riff = static_cast<std::uint32_t>(webp.size() - 8);
    for (int i = 0; i < 4; ++i) {
        webp[4 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(riff >> (8 * i));
    }
    ASSERT_TRUE(mayStateLocation(webp));
    const auto webpCopy = fileWithMetadata(webp, MetadataChoice::NoLocation);
    ASSERT_TRUE(webpCopy.has_value());
    EXPECT_EQ(*webpCopy, load("plain.webp"));
}

TEST(LocationCopy, FormatsWeDoNotRewriteAreRefusedOnlyWithALocation) {
    for (const char* located : {"gps.heic", "xmp.heic", "gps.tif"}) {
        const Bytes file = load(located);
        ASSERT_FALSE(file.empty()) << located;
        EXPECT_FALSE(fileWithMetadata(file, MetadataChoice::NoLocation).has_value()) << located;
        EXPECT_FALSE(fileWithMetadata(file, MetadataChoice::Profile).has_value()) << located;
        EXPECT_EQ(fileWithMetadata(file, MetadataChoice::All), file) << located;
    }
    for (const char* plain : {"plain.heic", "plain.tif"}) {
        const Bytes file = load(plain);
        ASSERT_FALSE(file.empty()) << plain;
        EXPECT_EQ(fileWithMetadata(file, MetadataChoice::NoLocation), file) << plain;
    }
    // Damaged JPEG, PNG and WebP files cannot be vouched for either.
    for (const char* name : {"gps.jpg", "gps.png", "gps.webp"}) {
        Bytes cut = load(name);
        cut.resize(cut.size() / 8);
        EXPECT_FALSE(fileWithMetadata(cut, MetadataChoice::NoLocation).has_value()) << name;
    }
}

} // namespace
} // namespace fotoplex
