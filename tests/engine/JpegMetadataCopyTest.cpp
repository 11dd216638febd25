#include "engine/JpegMetadataCopy.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace fotoplex {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes segment(std::uint8_t code, const std::string& payload) {
    const std::size_t length = payload.size() + 2;
    std::string bytes = {'\xFF', static_cast<char>(code), static_cast<char>(length >> 8),
                         static_cast<char>(length & 0xFF)};
    bytes += payload;
    return Bytes(bytes.begin(), bytes.end());
}

Bytes join(const std::vector<Bytes>& parts) {
    Bytes all;
    for (const Bytes& p : parts) {
        all.insert(all.end(), p.begin(), p.end());
    }
    return all;
}

const Bytes kSoi = {0xFF, 0xD8};
// A scan whose data holds bytes that look like markers; it must come through untouched.
const Bytes kScan = {0xFF, 0xDA, 0x00, 0x02, 0x12, 0xFF, 0x00, 0xFF, 0xE1, 0x00, 0xFF, 0xD9};

TEST(JpegMetadataCopy, KeepsTheCodingMarkersTheTablesAndTheScan) {
    const Bytes jfif = segment(0xE0, std::string("JFIF\0\1\1", 7));
    const Bytes adobe = segment(0xEE, "Adobe\x64");
    const Bytes icc = segment(0xE2, std::string("ICC_PROFILE\0\1\1xyz", 17));
    const Bytes comment = segment(0xFE, "hello");
    const Bytes brokenExif = segment(0xE1, std::string("Exif\0\0XX", 8));
    const Bytes quant = segment(0xDB, "q-table");
    const Bytes file = join({kSoi, jfif, comment, brokenExif, icc, {0xFF}, adobe, quant, kScan});

    EXPECT_EQ(jpegWithMetadata(file, MetadataChoice::All), file);
    EXPECT_EQ(jpegWithMetadata(file, MetadataChoice::Profile),
              join({kSoi, jfif, icc, adobe, quant, kScan}))
        << "the fill byte goes, the coding markers stay";
    EXPECT_EQ(jpegWithMetadata(file, MetadataChoice::NoLocation),
              join({kSoi, jfif, comment, icc, adobe, quant, kScan}));
}

TEST(JpegMetadataCopy, BytesThatCannotBeWalkedGiveNothing) {
    const Bytes comment = segment(0xFE, "hello");
    Bytes cut = join({kSoi, comment});
    cut.resize(cut.size() - 2);
    Bytes shortLength = join({kSoi, segment(0xFE, "x"), kScan});
    shortLength[5] = 1; // a length below 2
    for (const Bytes& bad : {Bytes{}, Bytes{0x89, 'P', 'N', 'G'}, cut, shortLength,
                             join({kSoi, comment}), join({kSoi, {0x00, 0x01}, kScan})}) {
        EXPECT_FALSE(jpegWithMetadata(bad, MetadataChoice::Profile).has_value());
    }
}

} // namespace
} // namespace fotoplex
