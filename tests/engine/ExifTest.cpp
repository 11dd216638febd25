#include "engine/Exif.h"

#include <gtest/gtest.h>

namespace fotoplex {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Builds an APP1 payload: "Exif\0\0", a TIFF header and IFD0 with the given entries.
class ExifBuilder {
public:
    explicit ExifBuilder(bool bigEndian) : big_(bigEndian) {
        bytes_ = {'E', 'x', 'i', 'f', 0, 0};
        bytes_.push_back(big_ ? 'M' : 'I');
        bytes_.push_back(big_ ? 'M' : 'I');
        u16(42);
        u32(8); // IFD0 right after the header
    }
    void entries(std::uint16_t count) { u16(count); }
    void entry(std::uint16_t tag, std::uint16_t type, std::uint32_t count, std::uint32_t value) {
        u16(tag);
        u16(type);
        u32(count);
        if (type == 3) {
            u16(static_cast<std::uint16_t>(value));
            u16(0);
        } else {
            u32(value);
        }
    }
    void rational(std::uint32_t numerator, std::uint32_t denominator) {
        u32(numerator);
        u32(denominator);
    }
    void u16(std::uint16_t v) {
        push(big_ ? v >> 8 : v & 0xFF);
        push(big_ ? v & 0xFF : v >> 8);
    }
    void u32(std::uint32_t v) {
        u16(static_cast<std::uint16_t>(big_ ? v >> 16 : v & 0xFFFF));
        u16(static_cast<std::uint16_t>(big_ ? v & 0xFFFF : v >> 16));
    }
    const Bytes& bytes() const { return bytes_; }

private:
    void push(unsigned v) { bytes_.push_back(static_cast<std::uint8_t>(v)); }
    bool big_;
    Bytes bytes_;
};

// IFD0 with three entries at 8 (2 + 36 + 4 bytes), then the two rationals at 50 and 58.
Bytes resolutionBlock(bool bigEndian, std::uint16_t unit, std::uint32_t xOffset = 50) {
    ExifBuilder b(bigEndian);
    b.entries(3);
    b.entry(0x011A, 5, 1, xOffset);
    b.entry(0x011B, 5, 1, 58);
    b.entry(0x0128, 3, 1, unit);
    b.u32(0); // no next IFD
    b.rational(300, 1);
    b.rational(1441, 6);
    return b.bytes();
}

TEST(ExifResolution, IsReadInEitherByteOrder) {
    for (const bool big : {false, true}) {
        const auto r = readExifResolution(resolutionBlock(big, 2));
        ASSERT_TRUE(r.has_value()) << big;
        EXPECT_DOUBLE_EQ(r->x, 300.0);
        EXPECT_NEAR(r->y, 240.1667, 1e-3);
        EXPECT_EQ(r->unit, 2);
    }
}

TEST(ExifResolution, CentimetresAreMultipliedBy254AndRounded) {
    const auto r = readExifResolution(resolutionBlock(false, 3));
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(exifDotsPerInch(r->x, r->unit), 762);
    EXPECT_EQ(exifDotsPerInch(r->y, r->unit), 610);
    EXPECT_EQ(exifDotsPerInch(r->y, 2), 240);
}

TEST(ExifResolution, OffsetsOutsideTheBlockGiveNothing) {
    EXPECT_FALSE(readExifResolution(resolutionBlock(false, 2, 0xFFFFFFF0u)).has_value());
    EXPECT_FALSE(readExifResolution(resolutionBlock(false, 2, 64)).has_value()); // half outside
}

TEST(ExifResolution, EveryCutOfTheBlockIsSafe) {
    const Bytes whole = resolutionBlock(true, 3);
    for (std::size_t n = 0; n < whole.size(); ++n) {
        const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
        const auto r = readExifResolution(cut);
        if (r) {
            EXPECT_GE(n, 58u) << "a result needs the X rational";
        }
    }
    EXPECT_TRUE(readExifResolution(whole).has_value());
}

TEST(ExifResolution, AnEntryCountLargerThanTheBlockKeepsWhatFits) {
    Bytes block = resolutionBlock(false, 2);
    block[6 + 8] = 0xFF; // claims 65535 entries
    block[6 + 9] = 0xFF;
    const auto r = readExifResolution(block);
    ASSERT_TRUE(r.has_value());
    EXPECT_DOUBLE_EQ(r->x, 300.0);
}

TEST(ExifResolution, ZeroDenominatorWrongTypesAndOtherBlocksGiveNothing) {
    ExifBuilder zero(false);
    zero.entries(1);
    zero.entry(0x011A, 5, 1, 26);
    zero.u32(0);
    zero.rational(300, 0);
    EXPECT_FALSE(readExifResolution(zero.bytes()).has_value());

    ExifBuilder wrongType(false);
    wrongType.entries(1);
    wrongType.entry(0x011A, 3, 1, 300); // a short where a rational belongs
    EXPECT_FALSE(readExifResolution(wrongType.bytes()).has_value());

    const Bytes xmp = {'h', 't', 't', 'p', ':', '/', '/', 'n', 's', '.', 'a', 'd', 'o', 'b', 'e'};
    EXPECT_FALSE(readExifResolution(xmp).has_value());
    EXPECT_FALSE(readExifResolution({}).has_value());
}

TEST(ExifResolution, AMissingYResolutionFollowsX) {
    ExifBuilder b(true);
    b.entries(1);
    b.entry(0x011A, 5, 1, 26);
    b.u32(0);
    b.rational(72, 1);
    const auto r = readExifResolution(b.bytes());
    ASSERT_TRUE(r.has_value());
    EXPECT_DOUBLE_EQ(r->y, 72.0);
    EXPECT_EQ(r->unit, 2); // the default unit is the inch
}

} // namespace
} // namespace fotoplex
