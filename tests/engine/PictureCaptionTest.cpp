#include "engine/PictureCaption.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace fotoplex {
namespace {

using Bytes = std::vector<std::uint8_t>;

// An APP1 payload ("Exif\0\0", little-endian TIFF) whose IFD0 holds one ImageDescription.
Bytes exifWithDescription(const std::string& text, bool bigEndian = false) {
    const auto u16 = [&](Bytes& b, std::uint16_t v) {
        b.push_back(static_cast<std::uint8_t>(bigEndian ? v >> 8 : v & 0xFF));
        b.push_back(static_cast<std::uint8_t>(bigEndian ? v & 0xFF : v >> 8));
    };
    const auto u32 = [&](Bytes& b, std::uint32_t v) {
        u16(b, static_cast<std::uint16_t>(bigEndian ? v >> 16 : v & 0xFFFF));
        u16(b, static_cast<std::uint16_t>(bigEndian ? v & 0xFFFF : v >> 16));
    };
    Bytes b = {'E', 'x', 'i', 'f', 0, 0};
    b.push_back(bigEndian ? 'M' : 'I');
    b.push_back(bigEndian ? 'M' : 'I');
    u16(b, 42);
    u32(b, 8);
    u16(b, 1);      // one entry
    u16(b, 0x010E); // ImageDescription
    u16(b, 2);      // ASCII
    const auto count = static_cast<std::uint32_t>(text.size() + 1);
    u32(b, count);
    if (count <= 4) {
        Bytes inline4(text.begin(), text.end());
        inline4.resize(4, 0);
        b.insert(b.end(), inline4.begin(), inline4.end());
    } else {
        u32(b, 8 + 2 + 12 + 4);
    }
    u32(b, 0); // no next IFD
    if (count > 4) {
        b.insert(b.end(), text.begin(), text.end());
        b.push_back(0);
    }
    return b;
}

Bytes xmpPacket(const std::string& description) {
    const std::string text = "http://ns.adobe.com/xap/1.0/" + std::string(1, '\0') +
                             "<x:xmpmeta><rdf:RDF><rdf:Description><dc:description>"
                             "<rdf:Alt><rdf:li xml:lang=\"x-default\">" +
                             description +
                             "</rdf:li></rdf:Alt></dc:description></rdf:Description></rdf:RDF>"
                             "</x:xmpmeta>";
    return Bytes(text.begin(), text.end());
}

// A JPEG head: SOI, the given APP1 markers, then the start of the picture data.
Bytes jpegHead(const std::vector<Bytes>& app1s) {
    Bytes b = {0xFF, 0xD8};
    for (const Bytes& payload : app1s) {
        const std::size_t length = payload.size() + 2;
        b.insert(b.end(), {0xFF, 0xE1, static_cast<std::uint8_t>(length >> 8),
                           static_cast<std::uint8_t>(length & 0xFF)});
        b.insert(b.end(), payload.begin(), payload.end());
    }
    b.insert(b.end(), {0xFF, 0xDA, 0x00, 0x02});
    return b;
}

TEST(PictureCaption, TheExifDescriptionInEitherByteOrder) {
    EXPECT_EQ(ExifDescription(exifWithDescription("Dom am Abend")), "Dom am Abend");
    EXPECT_EQ(ExifDescription(exifWithDescription("Dom am Abend", true)), "Dom am Abend");
    EXPECT_EQ(ExifDescription(exifWithDescription("Ok")), "Ok") << "held inside the entry";
    EXPECT_EQ(ExifDescription(exifWithDescription("  K\xF6ln  ")), "K\xC3\xB6ln")
        << "trimmed, and Latin-1 read as such";
}

TEST(PictureCaption, BlankAndDamagedDescriptionsAreNone) {
    EXPECT_EQ(ExifDescription(exifWithDescription("       ")), std::nullopt);
    EXPECT_EQ(ExifDescription(exifWithDescription("")), std::nullopt);
    Bytes cut = exifWithDescription("A long description of the photo");
    cut.resize(cut.size() - 10);
    EXPECT_EQ(ExifDescription(cut), std::nullopt) << "the text runs past the block";
    EXPECT_EQ(ExifDescription(Bytes{'E', 'x', 'i', 'f'}), std::nullopt);
}

TEST(PictureCaption, TheXmpDescriptionWithItsReferences) {
    EXPECT_EQ(XmpDescription("<dc:description><rdf:Alt><rdf:li xml:lang=\"x-default\">"
                             "Tom &amp; Jerry &#x263A; &lt;3</rdf:li></rdf:Alt></dc:description>"),
              "Tom & Jerry \xE2\x98\xBA <3");
    EXPECT_EQ(XmpDescription("<dc:descriptionX>no</dc:descriptionX>"), std::nullopt);
    EXPECT_EQ(XmpDescription("<dc:description/>"), std::nullopt);
    EXPECT_EQ(XmpDescription("<dc:description><rdf:Alt><rdf:li> </rdf:li></rdf:Alt>"
                             "</dc:description>"),
              std::nullopt);
}

TEST(PictureCaption, AJpegHeadPrefersExifThenXmp) {
    EXPECT_EQ(JpegCaption(jpegHead({xmpPacket("From XMP"), exifWithDescription("From EXIF")})),
              "From EXIF");
    EXPECT_EQ(JpegCaption(jpegHead({exifWithDescription("  "), xmpPacket("From XMP")})),
              "From XMP");
    EXPECT_EQ(JpegCaption(jpegHead({})), std::nullopt);
    Bytes notJpeg = jpegHead({exifWithDescription("x")});
    notJpeg[1] = 0x00;
    EXPECT_EQ(JpegCaption(notJpeg), std::nullopt);
    Bytes cut = jpegHead({exifWithDescription("Cut short here")});
    cut.resize(20);
    EXPECT_EQ(JpegCaption(cut), std::nullopt) << "a marker past the end is not read";
}

} // namespace
} // namespace fotoplex
