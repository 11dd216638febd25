#include "engine/ExifLocation.h"

#include "engine/MetadataFilter.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace fotoplex {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Writes an EXIF payload by hand: "Exif\0\0" and a TIFF structure in either byte order.
class ExifWriter {
public:
    explicit ExifWriter(bool bigEndian) : big_(bigEndian) {
        bytes = {'E', 'x', 'i', 'f', 0, 0};
        bytes.push_back(big_ ? 'M' : 'I');
        bytes.push_back(big_ ? 'M' : 'I');
        u16(42);
        u32(8);
    }
    void u16(std::uint32_t v) { put(v, 2); }
    void u32(std::uint32_t v) { put(v, 4); }
    void entry(std::uint16_t tag, std::uint16_t type, std::uint32_t count, std::uint32_t value) {
        u16(tag);
        u16(type);
        u32(count);
        if (type == 3 && count == 1) {
            u16(value); // a short sits at the start of the value field
            u16(0);
        } else {
            u32(value);
        }
    }
    std::uint32_t here() const { return static_cast<std::uint32_t>(bytes.size() - 6); }
    std::uint32_t read16(std::size_t tiffOffset) const { return get(tiffOffset, 2); }
    std::uint32_t read32(std::size_t tiffOffset) const { return get(tiffOffset, 4); }

    Bytes bytes;

private:
    void put(std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i) {
            const int shift = big_ ? 8 * (n - 1 - i) : 8 * i;
            bytes.push_back(static_cast<std::uint8_t>(v >> shift));
        }
    }
    std::uint32_t get(std::size_t at, int n) const {
        std::uint32_t v = 0;
        for (int i = 0; i < n; ++i) {
            const int shift = big_ ? 8 * (n - 1 - i) : 8 * i;
            v |= std::uint32_t{bytes[6 + at + static_cast<std::size_t>(i)]} << shift;
        }
        return v;
    }
    bool big_;
};

// IFD0 at 8: Make (out of line), the GPS pointer, the EXIF pointer and Orientation; IFD1
// (thumbnail) after it; the EXIF IFD with one rational; the GPS IFD with a latitude.
struct Sample {
    ExifWriter w;
    std::uint32_t ifd1 = 0, exifIfd = 0, gpsIfd = 0, make = 0, latitude = 0, thumb = 0;
};

Sample sample(bool bigEndian, bool latitudeSharesMake = false) {
    Sample s{ExifWriter(bigEndian)};
    auto& w = s.w;
    // Offsets are fixed by the layout below: IFD0 has 4 entries (2 + 48 + 4 = 54 bytes).
    s.make = 8 + 54;               // 8 bytes "Camera!\0"
    s.ifd1 = s.make + 8;           // 2 entries: 2 + 24 + 4 = 30
    s.exifIfd = s.ifd1 + 30;       // 1 entry: 18 bytes, then its rational (8)
    s.gpsIfd = s.exifIfd + 18 + 8; // 2 entries: 30 bytes, then the latitude (24)
    s.latitude = latitudeSharesMake ? s.make : s.gpsIfd + 30;
    s.thumb = s.gpsIfd + 30 + 24; // 4 bytes of "thumbnail"
    w.u16(4);
    w.entry(0x010F, 2, 8, s.make);
    w.entry(0x0112, 3, 1, 6);
    w.entry(0x8769, 4, 1, s.exifIfd);
    w.entry(0x8825, 4, 1, s.gpsIfd);
    w.u32(s.ifd1);
    for (char c : std::string("Camera!")) {
        w.bytes.push_back(static_cast<std::uint8_t>(c));
    }
    w.bytes.push_back(0);
    w.u16(2);
    w.entry(0x0201, 4, 1, s.thumb);
    w.entry(0x0202, 4, 1, 4);
    w.u32(0);
    w.u16(1);
    w.entry(0x829A, 5, 1, s.exifIfd + 18); // ExposureTime
    w.u32(0);
    w.u32(1);
    w.u32(250);
    w.u16(2);
    w.entry(0x0001, 2, 2, 'N');
    w.entry(0x0002, 5, 3, s.latitude);
    w.u32(0);
    for (std::uint32_t v : {48u, 1u, 51u, 1u, 3024u, 100u}) {
        w.u32(v);
    }
    for (std::uint8_t b : {0xFF, 0xD8, 0xFF, 0xD9}) {
        w.bytes.push_back(b);
    }
    EXPECT_EQ(w.here(), s.thumb + 4);
    return s;
}

TEST(ExifLocation, RemovesThePointerAndClearsTheGpsIfdLeavingEverythingElseInPlace) {
    for (const bool big : {false, true}) {
        SCOPED_TRACE(big ? "big-endian" : "little-endian");
        Sample s = sample(big);
        const Bytes before = s.w.bytes;
        ASSERT_EQ(removeExifLocation(s.w.bytes), ExifLocationResult::Removed);
        const ExifWriter& w = s.w;
        ASSERT_EQ(w.bytes.size(), before.size()) << "nothing moves";
        EXPECT_EQ(w.read16(8), 3u);
        for (std::uint32_t i = 0; i < 3; ++i) {
            EXPECT_NE(w.read16(8 + 2 + 12 * i), 0x8825u);
        }
        EXPECT_EQ(w.read16(8 + 2 + 12 * 2), 0x8769u) << "the later entries moved up";
        EXPECT_EQ(w.read32(8 + 2 + 12 * 2 + 8), s.exifIfd);
        EXPECT_EQ(w.read32(8 + 2 + 12 * 3), s.ifd1) << "the next-IFD offset follows the entries";
        EXPECT_EQ(w.read32(8 + 2 + 12 * 3 + 4), 0u) << "the freed slot is cleared";
        // Everything from the Make value up to the GPS IFD, and the thumbnail, is untouched;
        // the GPS IFD and its latitude are gone.
        const std::size_t gps = 6 + s.gpsIfd;
        const std::size_t thumb = 6 + s.thumb;
        EXPECT_TRUE(std::equal(before.begin() + 6 + s.make, before.begin() + static_cast<long>(gps),
                               w.bytes.begin() + 6 + s.make));
        EXPECT_TRUE(std::equal(before.begin() + static_cast<long>(thumb), before.end(),
                               w.bytes.begin() + static_cast<long>(thumb)));
        EXPECT_TRUE(std::all_of(w.bytes.begin() + static_cast<long>(gps),
                                w.bytes.begin() + static_cast<long>(thumb),
                                [](std::uint8_t b) { return b == 0; }));
    }
}

TEST(ExifLocation, BytesTheGpsIfdSharesWithOtherTagsStay) {
    Sample s = sample(false, true);
    const Bytes before = s.w.bytes;
    ASSERT_EQ(removeExifLocation(s.w.bytes), ExifLocationResult::Removed);
    // The latitude's 24 bytes lie on the Make value and IFD1's table: both stay whole.
    EXPECT_TRUE(std::equal(before.begin() + 6 + s.make, before.begin() + 6 + s.exifIfd + 26,
                           s.w.bytes.begin() + 6 + s.make));
}

TEST(ExifLocation, BlocksWithoutALocationOrThatCannotBeReadAreLeftAlone) {
    Sample plain = sample(false);
    plain.w.bytes[6 + 8 + 2 + 12 * 3] = 0x01; // the GPS pointer becomes tag 0x8801
    const Bytes unchanged = plain.w.bytes;
    EXPECT_EQ(removeExifLocation(plain.w.bytes), ExifLocationResult::None);
    EXPECT_EQ(plain.w.bytes, unchanged);

    const auto damaged = [](auto&& change) {
        Sample s = sample(false);
        change(s);
        const Bytes before = s.w.bytes;
        EXPECT_EQ(removeExifLocation(s.w.bytes), ExifLocationResult::Unreadable);
        EXPECT_EQ(s.w.bytes, before);
    };
    damaged([](Sample& s) { s.w.bytes[0] = 'e'; });                        // not EXIF
    damaged([](Sample& s) { s.w.bytes[6] = 'X'; });                        // no byte order
    damaged([](Sample& s) { s.w.bytes.resize(6 + 30); });                  // IFD0 cut off
    damaged([](Sample& s) { s.w.bytes[6 + 8] = 0xFF; });                   // huge entry count
    damaged([](Sample& s) { s.w.bytes[6 + 8 + 2 + 12 * 2 + 11] = 0x7F; }); // EXIF IFD outside
    damaged([](Sample& s) { s.w.bytes[6 + 8 + 2 + 8 + 3] = 0x40; });       // Make value outside
    Bytes tiny = {'E', 'x', 'i', 'f', 0, 0, 'I', 'I'};
    EXPECT_EQ(removeExifLocation(tiny), ExifLocationResult::Unreadable);
}

JpegMarker marker(std::uint8_t code, const std::string& text) {
    return {code, Bytes(text.begin(), text.end())};
}

TEST(MetadataFilter, EachChoiceKeepsItsMarkers) {
    Sample located = sample(true);
    const JpegMarker exif{0xE1, located.w.bytes};
    const JpegMarker brokenExif = marker(0xE1, std::string("Exif\0\0MM\0*", 10));
    const JpegMarker xmpWithGps =
        marker(0xE1, std::string("http://ns.adobe.com/xap/1.0/\0<x exif:GPSLatitude=\"1\"/>", 55));
    const JpegMarker xmp = marker(0xE1, std::string("http://ns.adobe.com/xap/1.0/\0<x/>", 34));
    const JpegMarker icc1 = marker(0xE2, std::string("ICC_PROFILE\0\1\2abc", 17));
    const JpegMarker icc2 = marker(0xE2, std::string("ICC_PROFILE\0\2\2def", 17));
    const JpegMarker flashpix = marker(0xE2, "FPXR");
    const JpegMarker comment = marker(0xFE, "a comment");
    const JpegMarker adobe = marker(0xEE, "Adobe");
    const std::vector<JpegMarker> all = {comment, exif,     icc1, brokenExif, xmpWithGps,
                                         xmp,     flashpix, icc2, adobe};

    EXPECT_EQ(markersFor(all, MetadataChoice::All), all);
    EXPECT_EQ(markersFor(all, MetadataChoice::Profile), (std::vector<JpegMarker>{icc1, icc2}));

    const auto noLocation = markersFor(all, MetadataChoice::NoLocation);
    ASSERT_EQ(noLocation.size(), 7u);
    EXPECT_EQ(noLocation[0], comment);
    EXPECT_EQ(noLocation[1].code, 0xE1);
    Bytes withoutGps = exif.bytes;
    ASSERT_EQ(removeExifLocation(withoutGps), ExifLocationResult::Removed);
    EXPECT_EQ(noLocation[1].bytes, withoutGps);
    EXPECT_EQ(noLocation[2], icc1);
    EXPECT_EQ(noLocation[3], xmp) << "the unreadable block and the located packet are gone";
    EXPECT_EQ(noLocation[6], adobe);
}

} // namespace
} // namespace fotoplex
