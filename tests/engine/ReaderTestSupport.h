#pragma once

// Helpers shared by the reader tests: fixtures, expected pixels, damage.

#include "engine/readers/Decode.h"

#include <cctype>
#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace fotoplex::testing {

using Bytes = std::vector<std::uint8_t>;

inline Bytes readFixture(const std::string& name) {
    std::ifstream in(std::string(FOTOPLEX_TEST_DATA) + "/readers/" + name, std::ios::binary);
    EXPECT_TRUE(in.good()) << "missing fixture " << name;
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Pixels written by an outside tool as binary PPM (P6) or PGM (P5), maxval 255.
struct Expected {
    int width = 0;
    int height = 0;
    int channels = 0;
    Bytes samples;
};

inline Expected readExpected(const std::string& name) {
    const Bytes data = readFixture(name);
    Expected e;
    std::size_t pos = 2;
    const auto number = [&] {
        while (pos < data.size() && (std::isspace(data[pos]) || data[pos] == '#')) {
            if (data[pos] == '#')
                while (pos < data.size() && data[pos] != '\n')
                    ++pos;
            else
                ++pos;
        }
        int v = 0;
        while (pos < data.size() && std::isdigit(data[pos]))
            v = v * 10 + (data[pos++] - '0');
        return v;
    };
    if (data.size() < 2 || data[0] != 'P' || (data[1] != '6' && data[1] != '5'))
        return e;
    e.channels = data[1] == '6' ? 3 : 1;
    e.width = number();
    e.height = number();
    EXPECT_EQ(number(), 255) << name;
    ++pos;
    e.samples.assign(data.begin() + static_cast<std::ptrdiff_t>(pos), data.end());
    EXPECT_EQ(e.samples.size(), static_cast<std::size_t>(e.width) * e.height * e.channels) << name;
    return e;
}

// The picture as three bytes a pixel, whatever its format.
inline Bytes rgbOf(const Picture& picture) {
    if (picture.format == PixelFormat::Rgb24)
        return picture.pixels;
    Bytes rgb;
    rgb.reserve(static_cast<std::size_t>(picture.width) * picture.height * 3);
    for (std::int32_t y = 0; y < picture.height; ++y) {
        const std::uint8_t* row = picture.row(y);
        for (std::int32_t x = 0; x < picture.width; ++x) {
            const bool white = (row[x >> 3] & (0x80 >> (x & 7))) != 0;
            rgb.insert(rgb.end(), 3, white ? 255 : 0);
        }
    }
    return rgb;
}

// Compares pixel by pixel, naming the first difference.
inline ::testing::AssertionResult samePixels(const Picture& picture, const Expected& expected) {
    if (picture.width != expected.width || picture.height != expected.height)
        return ::testing::AssertionFailure()
               << "size " << picture.width << "x" << picture.height << ", expected "
               << expected.width << "x" << expected.height;
    const Bytes rgb = rgbOf(picture);
    for (std::size_t i = 0; i < rgb.size(); ++i) {
        if (rgb[i] != expected.samples[i]) {
            const std::size_t pixel = i / 3;
            return ::testing::AssertionFailure()
                   << "pixel (" << pixel % picture.width << "," << pixel / picture.width
                   << ") channel " << i % 3 << " is " << int(rgb[i]) << ", expected "
                   << int(expected.samples[i]);
        }
    }
    return ::testing::AssertionSuccess();
}

struct Decoded {
    DecodeResult result;
    Picture picture;
    DecodedInfo info;
};

inline Decoded decodeWith(DecodeFunction decode, const Bytes& data, bool headerOnly = false) {
    Decoded d;
    d.result = decode(data, d.picture, d.info, headerOnly);
    return d;
}

// Decodes `fixture` and checks it against NAME.expected.ppm, and that header mode gives the
// same size.
inline void expectDecodesLikeTool(DecodeFunction decode, const std::string& fixture,
                                  PixelFormat format) {
    SCOPED_TRACE(fixture);
    const Bytes data = readFixture(fixture);
    const Decoded full = decodeWith(decode, data);
    ASSERT_EQ(full.result.status, DecodeStatus::Complete) << full.result.reason;
    EXPECT_EQ(full.picture.format, format);
    const std::string stem = fixture.substr(0, fixture.rfind('.'));
    EXPECT_TRUE(samePixels(full.picture, readExpected(stem + ".expected.ppm")));

    Picture untouched;
    untouched.width = 3;
    DecodedInfo info;
    EXPECT_EQ(decode(data, untouched, info, true).status, DecodeStatus::Complete);
    EXPECT_EQ(untouched.width, 3) << "header mode changed the picture";
    EXPECT_EQ(info.width, full.picture.width);
    EXPECT_EQ(info.height, full.picture.height);
}

// A row is either as the whole file decodes it or still black.
inline bool rowIsWholeOrBlack(const Bytes& got, const Bytes& whole, std::size_t rowBytes,
                              std::size_t row) {
    const auto begin = row * rowBytes;
    bool same = true;
    bool black = true;
    for (std::size_t i = begin; i < begin + rowBytes; ++i) {
        same = same && got[i] == whole[i];
        black = black && got[i] == 0;
    }
    return same || black;
}

// Every cut of the file decodes without fault: Failed, or Incomplete with the full size and
// only whole or black rows, except at most `partialRows` rows cut in the middle.
inline void expectCutsAreSafe(DecodeFunction decode, const std::string& fixture,
                              std::size_t step = 1, int partialRows = 1) {
    SCOPED_TRACE(fixture);
    const Bytes data = readFixture(fixture);
    const Decoded whole = decodeWith(decode, data);
    ASSERT_EQ(whole.result.status, DecodeStatus::Complete);
    const Bytes wholeRgb = rgbOf(whole.picture);
    const std::size_t rowBytes = static_cast<std::size_t>(whole.picture.width) * 3;
    int incomplete = 0;
    for (std::size_t length = 0; length < data.size(); length += step) {
        const Bytes cut(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(length));
        const Decoded d = decodeWith(decode, cut);
        if (d.result.status == DecodeStatus::Failed) {
            EXPECT_TRUE(d.picture.empty()) << "cut at " << length;
            continue;
        }
        if (d.result.status == DecodeStatus::Complete)
            continue; // past the last pixel byte; trailing data may be missing
        ++incomplete;
        ASSERT_EQ(d.picture.width, whole.picture.width) << "cut at " << length;
        ASSERT_EQ(d.picture.height, whole.picture.height) << "cut at " << length;
        const Bytes got = rgbOf(d.picture);
        int partial = 0;
        for (std::size_t row = 0; row < static_cast<std::size_t>(d.picture.height); ++row) {
            if (!rowIsWholeOrBlack(got, wholeRgb, rowBytes, row))
                ++partial;
        }
        EXPECT_LE(partial, partialRows) << "cut at " << length;
    }
    EXPECT_GT(incomplete, 0) << "no cut was reported incomplete";
}

// Random byte damage never faults, and the full decode agrees with header mode on the size.
inline void expectDamageIsSafe(DecodeFunction decode, const std::string& fixture,
                               int rounds = 300) {
    SCOPED_TRACE(fixture);
    const Bytes data = readFixture(fixture);
    std::mt19937 random(12345);
    for (int round = 0; round < rounds; ++round) {
        Bytes damaged = data;
        const int changes = 1 + round % 8;
        for (int i = 0; i < changes; ++i)
            damaged[random() % damaged.size()] = static_cast<std::uint8_t>(random());
        const Decoded header = decodeWith(decode, damaged, true);
        // A damaged size may ask for hundreds of megabytes: allowed, but slow for a test.
        if (std::int64_t{header.info.width} * header.info.height > (std::int64_t{1} << 20))
            continue;
        const Decoded full = decodeWith(decode, damaged);
        if (full.result.status == DecodeStatus::Failed) {
            EXPECT_EQ(header.result.status, DecodeStatus::Failed);
            continue;
        }
        EXPECT_NE(header.result.status, DecodeStatus::Failed) << "round " << round;
        EXPECT_EQ(full.picture.width, header.info.width);
        EXPECT_EQ(full.picture.height, header.info.height);
        EXPECT_EQ(full.picture.pixels.size(),
                  full.picture.rowBytes() * static_cast<std::size_t>(full.picture.height));
        if (!full.picture.alpha.empty()) {
            EXPECT_EQ(full.picture.alpha.size(),
                      static_cast<std::size_t>(full.picture.width) * full.picture.height);
        }
    }
}

} // namespace fotoplex::testing
