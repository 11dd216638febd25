// Small files whose headers claim huge pictures: every reader refuses them before it allocates
// the picture, a file under 1 KB never makes a reader allocate more than 200 MB, and real
// pictures that compress very well (up to the pixel bound) are still read.

#include "TestImages.h"
#include "engine/Decoders.h"
#include "engine/jpeg/JpegWriter.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <zlib.h>

namespace fotoplex {
namespace {

using Bytes = std::vector<std::uint8_t>;

void put16le(Bytes& b, std::uint32_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void put32le(Bytes& b, std::uint32_t v) {
    put16le(b, v & 0xFFFF);
    put16le(b, v >> 16);
}
void put16be(Bytes& b, std::uint32_t v) {
    b.push_back(static_cast<std::uint8_t>(v >> 8));
    b.push_back(static_cast<std::uint8_t>(v));
}
void put32be(Bytes& b, std::uint32_t v) {
    put16be(b, v >> 16);
    put16be(b, v & 0xFFFF);
}
void append(Bytes& b, std::initializer_list<std::uint8_t> bytes) {
    b.insert(b.end(), bytes);
}

// --- Small files claiming a side x side picture; each stays under 1 KB. ---

// A VP8L still picture with alpha; its few data bytes hold nothing useful.
Bytes webpBomb(std::uint32_t side) {
    Bytes b = {'R', 'I', 'F', 'F'};
    put32le(b, 25);
    append(b, {'W', 'E', 'B', 'P', 'V', 'P', '8', 'L'});
    put32le(b, 13);
    b.push_back(0x2F);
    put32le(b, (side - 1) | ((side - 1) << 14) | (1u << 28));
    b.resize(b.size() + 8, 0);
    return b;
}

// A JPEG 2000 code stream: size, coding style and quantisation markers, one empty tile.
Bytes j2kBomb(std::uint32_t side) {
    Bytes b = {0xFF, 0x4F, 0xFF, 0x51};
    put16be(b, 38 + 3 * 3);
    put16be(b, 0);
    for (const std::uint32_t v : {side, side, 0u, 0u, side, side, 0u, 0u}) {
        put32be(b, v);
    }
    put16be(b, 3);
    for (int c = 0; c < 3; ++c) {
        append(b, {7, 1, 1});
    }
    append(b, {0xFF, 0x52, 0, 12, 0, 0, 0, 1, 0, 5, 4, 4, 0, 1});
    append(b, {0xFF, 0x5C, 0, 19, 0x40});
    b.resize(b.size() + 16, 0x48);
    append(b, {0xFF, 0x90, 0, 10, 0, 0, 0, 0, 0, 0, 0, 1, 0xFF, 0x93, 0xFF, 0xD9});
    return b;
}

// A JPEG fixture with its frame header patched to the claimed size: its one scan then ends
// long before the picture does.
Bytes jpegBomb(std::uint32_t side) {
    Bytes b = test::readBytes(test::dataPath("jpeg/rgb.jpg"));
    for (std::size_t i = 0; i + 9 < b.size(); ++i) {
        if (b[i] == 0xFF && (b[i + 1] == 0xC0 || b[i + 1] == 0xC2)) {
            b[i + 5] = static_cast<std::uint8_t>(side >> 8);
            b[i + 6] = static_cast<std::uint8_t>(side);
            b[i + 7] = static_cast<std::uint8_t>(side >> 8);
            b[i + 8] = static_cast<std::uint8_t>(side);
            break;
        }
    }
    return b;
}

void pngChunk(Bytes& b, const char* type, const Bytes& payload) {
    put32be(b, static_cast<std::uint32_t>(payload.size()));
    Bytes body(type, type + 4);
    body.insert(body.end(), payload.begin(), payload.end());
    b.insert(b.end(), body.begin(), body.end());
    put32be(b, static_cast<std::uint32_t>(crc32(0, body.data(), static_cast<uInt>(body.size()))));
}

// An 8-bit RGBA PNG with one row of zeros compressed.
Bytes pngBomb(std::uint32_t side) {
    Bytes b = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    Bytes header;
    put32be(header, side);
    put32be(header, side);
    append(header, {8, 6, 0, 0, 0});
    pngChunk(b, "IHDR", header);
    const Bytes row(64, 0);
    Bytes packed(128);
    uLongf packedSize = packed.size();
    compress(packed.data(), &packedSize, row.data(), row.size());
    packed.resize(packedSize);
    pngChunk(b, "IDAT", packed);
    pngChunk(b, "IEND", {});
    return b;
}

Bytes gifBomb(std::uint32_t side) {
    Bytes b = {'G', 'I', 'F', '8', '9', 'a'};
    put16le(b, side);
    put16le(b, side);
    append(b, {0x80, 0, 0, 0, 0, 0, 255, 255, 255, ','});
    put32le(b, 0);
    put16le(b, side);
    put16le(b, side);
    append(b, {0, 2, 2, 0x4C, 0x01, 0, ';'});
    return b;
}

Bytes pcxBomb(std::uint32_t side) {
    Bytes b(128, 0);
    b[0] = 10;
    b[1] = 5;
    b[2] = 1;
    b[3] = 8;
    b[8] = b[10] = static_cast<std::uint8_t>(side - 1);
    b[9] = b[11] = static_cast<std::uint8_t>((side - 1) >> 8);
    b[65] = 3;
    b[66] = static_cast<std::uint8_t>(side);
    b[67] = static_cast<std::uint8_t>(side >> 8);
    b[68] = 1;
    append(b, {0xFF, 0, 0xFF, 0, 0xFF, 0});
    return b;
}

Bytes pnmBomb(std::uint32_t side) {
    const std::string header =
        "P6\n" + std::to_string(side) + " " + std::to_string(side) + "\n255\n";
    Bytes b(header.begin(), header.end());
    b.resize(b.size() + 64, 0x80);
    return b;
}

Bytes bmpBomb(std::uint32_t side) {
    Bytes b = {'B', 'M'};
    put32le(b, 54 + 64);
    put32le(b, 0);
    put32le(b, 54);
    put32le(b, 40);
    put32le(b, side);
    put32le(b, side);
    put16le(b, 1);
    put16le(b, 24);
    b.resize(54, 0);
    b.resize(54 + 64, 0x80);
    return b;
}

Bytes tgaBomb(std::uint32_t side) {
    Bytes b(12, 0);
    b[2] = 10; // run-length true colour
    put16le(b, side);
    put16le(b, side);
    append(b, {24, 0});
    b.resize(b.size() + 64, 0xFF);
    return b;
}

// A 1-bit palette TIFF (read through RGBA, not as bilevel) with a short deflated strip.
Bytes tiffBomb(std::uint32_t side) {
    Bytes b = {'I', 'I', 42, 0};
    put32le(b, 8);
    struct Entry {
        std::uint16_t tag, type;
        std::uint32_t count, value;
    };
    const std::uint32_t entries = 10;
    const std::uint32_t colourMap = 8 + 2 + entries * 12 + 4;
    const std::uint32_t strip = colourMap + 12;
    const Entry ifd[entries] = {{256, 4, 1, side},     {257, 4, 1, side}, {258, 3, 1, 1},
                                {259, 3, 1, 8},        {262, 3, 1, 3},    {273, 4, 1, strip},
                                {277, 3, 1, 1},        {278, 4, 1, side}, {279, 4, 1, 64},
                                {320, 3, 6, colourMap}};
    put16le(b, entries);
    for (const Entry& e : ifd) {
        put16le(b, e.tag);
        put16le(b, e.type);
        put32le(b, e.count);
        put32le(b, e.value);
    }
    put32le(b, 0);
    for (const std::uint16_t v : {0, 65535, 0, 65535, 0, 65535}) {
        put16le(b, v);
    }
    const Bytes row(256, 0);
    Bytes packed(64);
    uLongf packedSize = packed.size();
    compress(packed.data(), &packedSize, row.data(), row.size());
    packed.resize(64, 0);
    b.insert(b.end(), packed.begin(), packed.end());
    return b;
}

// rgb.heic with its spatial extent properties (of the coded image and of the picture)
// claiming the size.
Bytes heifBomb(std::uint32_t side) {
    Bytes b = test::readBytes(test::dataPath("formats/rgb.heic"));
    const char* ispe = "ispe";
    int patched = 0;
    for (auto at = b.begin(); (at = std::search(at, b.end(), ispe, ispe + 4)) != b.end(); ++at) {
        const auto offset = static_cast<std::size_t>(at - b.begin()) + 8;
        for (int i = 0; i < 4; ++i) {
            const auto v = static_cast<std::uint8_t>(side >> (24 - 8 * i));
            b[offset + static_cast<std::size_t>(i)] = v;
            b[offset + 4 + static_cast<std::size_t>(i)] = v;
        }
        ++patched;
    }
    return patched > 0 ? b : Bytes{};
}

struct Bomb {
    const char* name;
    FileFormat format;
    std::function<Bytes(std::uint32_t)> make;
};

const std::vector<Bomb>& bombs() {
    static const std::vector<Bomb> all = {
        {"WebP", FileFormat::WebP, webpBomb}, {"JPEG 2000", FileFormat::Jp2, j2kBomb},
        {"HEIF", FileFormat::Heif, heifBomb}, {"JPEG", FileFormat::Jpeg, jpegBomb},
        {"PNG", FileFormat::Png, pngBomb},    {"GIF", FileFormat::Gif, gifBomb},
        {"PCX", FileFormat::Pcx, pcxBomb},    {"PNM", FileFormat::Pnm, pnmBomb},
        {"BMP", FileFormat::Bmp, bmpBomb},    {"Targa", FileFormat::Tga, tgaBomb},
        {"TIFF", FileFormat::Tiff, tiffBomb}};
    return all;
}

DecodeResult decodeBytes(FileFormat format, const Bytes& data, Picture& picture,
                         bool headerOnly = false) {
    DecodedInfo info;
    JpegDetails jpeg;
    return decodeAs(format, data, picture, info, jpeg, headerOnly);
}

// The side the bombs claim: 2^28 pixels, exactly the largest picture any reader accepts, so
// only the comparison with the data present can refuse them.
constexpr std::uint32_t kBoundSide = 16384;

TEST(HeaderBombs, TheHeaderIsReadButThePictureIsRefused) {
    for (const Bomb& bomb : bombs()) {
        SCOPED_TRACE(bomb.name);
        const Bytes data = bomb.make(kBoundSide);
        ASSERT_FALSE(data.empty());
        EXPECT_LT(data.size(), 1024u);
        Picture picture;
        DecodedInfo info;
        JpegDetails jpeg;
        decodeAs(bomb.format, data, picture, info, jpeg, true);
        Picture full;
        const DecodeResult result = decodeBytes(bomb.format, data, full);
        EXPECT_EQ(result.status, DecodeStatus::Failed) << result.reason;
        EXPECT_TRUE(full.pixels.empty());
    }
}

// --- Memory: each format's bombs are decoded in a child process, which reports how far its
// address space grew at most. ---

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kMeasurable = false; // the sanitizers' own mappings hide the reader's
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) ||                         \
    __has_feature(memory_sanitizer)
constexpr bool kMeasurable = false;
#else
constexpr bool kMeasurable = true;
#endif
#else
constexpr bool kMeasurable = true;
#endif

// The process's largest address space so far, in KB (VmPeak).
long peakKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmPeak:", 0) == 0) {
            return std::stol(line.substr(7));
        }
    }
    return -1;
}

void decodeAll(const Bomb& bomb, const std::vector<std::uint32_t>& sides) {
    for (const std::uint32_t side : sides) {
        // Padded to nearly 1 KB: the more data, the larger a claim may be let through.
        Bytes file = bomb.make(side);
        file.resize(std::max<std::size_t>(file.size(), 1000), 0);
        Picture picture;
        decodeBytes(bomb.format, file, picture);
    }
}

// How many MB the child's address space grew while it decoded every claim; -1 when the child
// did not finish (a refused allocation past a 1 GB guard counts as that).
long growthWhileDecoding(const Bomb& bomb, const std::vector<std::uint32_t>& sides) {
    int channel[2];
    if (pipe(channel) != 0) {
        return -1;
    }
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        const long before = peakKilobytes();
        rlimit data{};
        getrlimit(RLIMIT_DATA, &data);
        data.rlim_cur = static_cast<rlim_t>(before + (1L << 20)) * 1024;
        setrlimit(RLIMIT_DATA, &data);
        try {
            decodeAll(bomb, sides);
        } catch (...) {
            _exit(2);
        }
        const long growth = (peakKilobytes() - before) / 1024;
        const ssize_t written = write(channel[1], &growth, sizeof growth);
        _exit(written == sizeof growth ? 0 : 1);
    }
    close(channel[1]);
    long growth = -1;
    if (read(channel[0], &growth, sizeof growth) != sizeof growth) {
        growth = -1;
    }
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? growth : -1;
}

TEST(HeaderBombs, NoFileUnderOneKilobyteTakesOverTwoHundredMegabytes) {
    if (!kMeasurable) {
        GTEST_SKIP() << "address space is not the reader's alone under a sanitizer";
    }
    // The largest claim, and smaller ones nearer to what the data could hold.
    const std::vector<std::uint32_t> sides = {kBoundSide, 8192, 4096, 2048};
    for (const Bomb& bomb : bombs()) {
        const long growth = growthWhileDecoding(bomb, sides);
        EXPECT_GE(growth, 0) << bomb.name << ": the decoding process failed";
        EXPECT_LE(growth, 200) << bomb.name << ": address space grew by " << growth << " MB";
    }
}

// --- Real pictures that compress about as well as their codec allows. ---

// A bilevel PNG of 2^28 white pixels (33 MB of rows deflated to some 32 KB).
Bytes whiteBilevelPng(std::uint32_t side) {
    Bytes b = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    Bytes header;
    put32be(header, side);
    put32be(header, side);
    append(header, {1, 0, 0, 0, 0});
    pngChunk(b, "IHDR", header);
    Bytes row(1 + side / 8, 0xFF);
    row[0] = 0;
    z_stream z{};
    deflateInit(&z, 9);
    Bytes packed;
    Bytes chunk(1 << 16);
    for (std::uint32_t y = 0; y < side; ++y) {
        z.next_in = row.data();
        z.avail_in = static_cast<uInt>(row.size());
        const int flush = y + 1 == side ? Z_FINISH : Z_NO_FLUSH;
        do {
            z.next_out = chunk.data();
            z.avail_out = static_cast<uInt>(chunk.size());
            deflate(&z, flush);
            packed.insert(packed.end(), chunk.begin(), chunk.end() - z.avail_out);
        } while (z.avail_out == 0);
    }
    deflateEnd(&z);
    pngChunk(b, "IDAT", packed);
    pngChunk(b, "IEND", {});
    return b;
}

TEST(HeaderBombs, APictureAtThePixelBoundWithItsDataIsRead) {
    const Bytes png = whiteBilevelPng(kBoundSide);
    Picture picture;
    const DecodeResult result = decodeBytes(FileFormat::Png, png, picture);
    ASSERT_EQ(result.status, DecodeStatus::Complete) << result.reason;
    ASSERT_EQ(picture.width, static_cast<std::int32_t>(kBoundSide));
    ASSERT_EQ(picture.height, static_cast<std::int32_t>(kBoundSide));
    EXPECT_TRUE(std::all_of(picture.pixels.begin(), picture.pixels.end(),
                            [](std::uint8_t v) { return v == 0xFF; }));
}

TEST(HeaderBombs, AFlatPanoramaJpegIsRead) {
    // One colour compresses a baseline JPEG about as far as it goes.
    Picture flat = makePicture(12000, 1000, PixelFormat::Rgb24);
    std::fill(flat.pixels.begin(), flat.pixels.end(), std::uint8_t{200});
    char* buffer = nullptr;
    std::size_t size = 0;
    std::FILE* memory = open_memstream(&buffer, &size);
    ASSERT_NE(memory, nullptr);
    const bool written = writeJpeg(memory, flat, JpegWriteSettings{});
    std::fclose(memory);
    const Bytes jpeg(buffer, buffer + size);
    std::free(buffer);
    ASSERT_TRUE(written);
    Picture picture;
    const DecodeResult result = decodeBytes(FileFormat::Jpeg, jpeg, picture);
    ASSERT_EQ(result.status, DecodeStatus::Complete)
        << result.reason << " (" << jpeg.size() << " bytes)";
    EXPECT_EQ(picture.width, 12000);
    EXPECT_NEAR(picture.pixels[picture.pixels.size() / 2], 200, 2);
}

} // namespace
} // namespace fotoplex
