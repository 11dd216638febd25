#include "engine/Exif.h"

#include <gtest/gtest.h>

namespace fotoplex {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Builds an APP1 payload: "Exif\0\0", a TIFF header and IFD0 with the given entries.
class ExifBuilder {
public:
    explicit ExifBuilder(bool bigEndian, bool withExifId = true) : big_(bigEndian) {
        if (withExifId) {
            bytes_ = {'E', 'x', 'i', 'f', 0, 0};
        }
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

// IFD0 with a resolution unit, the given Orientation entries and a short after them.
Bytes orientationBlock(bool bigEndian, std::initializer_list<std::uint16_t> orientations,
                       bool withExifId = true) {
    ExifBuilder b(bigEndian, withExifId);
    b.entries(static_cast<std::uint16_t>(orientations.size() + 2));
    b.entry(0x0128, 3, 1, 2);
    for (const std::uint16_t o : orientations) {
        b.entry(0x0112, 3, 1, o);
    }
    b.entry(0x0213, 3, 1, 1); // YCbCrPositioning
    b.u32(0);
    return b.bytes();
}

TEST(ExifOrientation, IsReadFromAppOneAndBareBlocksInEitherByteOrder) {
    for (const bool big : {false, true}) {
        for (const bool withId : {true, false}) {
            for (std::uint16_t o = 1; o <= 8; ++o) {
                EXPECT_EQ(readExifOrientation(orientationBlock(big, {o}, withId)), o)
                    << big << withId << o;
            }
        }
    }
}

TEST(ExifOrientation, UprightChangesOnlyTheValueOfEveryEntry) {
    for (const bool big : {false, true}) {
        for (const bool withId : {true, false}) {
            const Bytes before = orientationBlock(big, {6, 6}, withId);
            Bytes after = before;
            ASSERT_TRUE(setExifOrientationUpright(after));
            EXPECT_EQ(after, orientationBlock(big, {1, 1}, withId));
            EXPECT_EQ(readExifOrientation(after), 1);
            std::size_t changed = 0;
            for (std::size_t i = 0; i < before.size(); ++i) {
                changed += before[i] != after[i] ? 1 : 0;
            }
            EXPECT_EQ(changed, 2u) << "the low byte of each of the two value fields";
        }
    }
}

TEST(ExifOrientation, AnUprightBlockStaysTheSame) {
    const Bytes before = orientationBlock(true, {1});
    Bytes after = before;
    EXPECT_TRUE(setExifOrientationUpright(after));
    EXPECT_EQ(after, before);
}

TEST(ExifOrientation, NoEntryOrADamagedBlockIsLeftAlone) {
    std::vector<Bytes> blocks;
    blocks.push_back(resolutionBlock(false, 2)); // no Orientation entry
    blocks.push_back(orientationBlock(false, {0}));
    blocks.push_back(orientationBlock(true, {9}));
    blocks.push_back(orientationBlock(false, {6, 0})); // a second entry out of range
    Bytes counted = orientationBlock(false, {6});
    counted[6 + 8] = 40; // claims more entries than the block holds
    blocks.push_back(counted);
    Bytes wrongCount = orientationBlock(true, {6});
    wrongCount[6 + 10 + 12 + 7] = 2; // the Orientation entry's count becomes 2
    blocks.push_back(wrongCount);
    ExifBuilder longType(false);
    longType.entries(1);
    longType.entry(0x0112, 4, 1, 6); // a LONG where a SHORT belongs
    longType.u32(0);
    blocks.push_back(longType.bytes());
    Bytes badIfd = orientationBlock(false, {6});
    badIfd[6 + 4] = 0xF0; // IFD0 beyond the end
    blocks.push_back(badIfd);
    blocks.push_back({'h', 't', 't', 'p', ':', '/', '/', 'n', 's'});
    blocks.push_back({});
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        Bytes block = blocks[i];
        EXPECT_FALSE(readExifOrientation(block).has_value()) << i;
        EXPECT_FALSE(setExifOrientationUpright(block)) << i;
        EXPECT_EQ(block, blocks[i]) << i;
    }
}

TEST(ExifOrientation, EveryCutOfTheBlockIsSafeAndNeedsTheWholeTable) {
    const Bytes whole = orientationBlock(true, {8});
    const std::size_t tableEnd = 6 + 8 + 2 + 3 * 12;
    for (std::size_t n = 0; n < whole.size(); ++n) {
        Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
        const Bytes copy = cut;
        const bool done = setExifOrientationUpright(cut);
        EXPECT_EQ(done, n >= tableEnd) << n;
        EXPECT_EQ(readExifOrientation(copy).has_value(), n >= tableEnd) << n;
        if (!done) {
            EXPECT_EQ(cut, copy) << n;
        }
    }
}

} // namespace
} // namespace fotoplex
