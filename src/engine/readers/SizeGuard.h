#pragma once

#include "engine/Picture.h"

#include <cstdint>

namespace fotoplex {

// The most pixels a codec can draw from its coded bytes: `pixels` pixels from `bytes` bytes.
struct Expansion {
    std::uint64_t pixels;
    std::uint64_t bytes = 1;
};

namespace expansion {

// LZW: one 12-bit code stands for at most 4093 pixels.
inline constexpr Expansion kGif{8192, 3};
// Deflate expands a byte at most 1032 times, and a byte of 1-bit rows holds 8 pixels.
inline constexpr Expansion kPng{1032 * 8, 1};
// Huffman-coded JPEG spends at least a bit on each block of 64 samples; subsampling lets a
// block cover more pixels.
inline constexpr Expansion kJpeg{1024, 1};
// Arithmetic coders (VP8, JPEG 2000, HEVC, AV1) and WebP's lossless codes have no floor: a flat
// picture costs next to nothing. No photograph comes near this many pixels a byte; the bound
// keeps what a small file makes us allocate small, whatever its header says.
inline constexpr Expansion kLibraryCodec{1024, 1};

} // namespace expansion

// True when `bytes` of picture data could describe `pixels` pixels, at most `pixelsPer` /
// `bytesUsed` pixels per byte (the format's largest expansion), with room for cut files.
// A header claiming far more than its data can hold is damaged: refusing it keeps memory
// in proportion to the file rather than to what its header says.
inline bool dataCanHold(std::uint64_t pixels, std::uint64_t bytes, std::uint64_t pixelsPer,
                        std::uint64_t bytesUsed) {
    constexpr std::uint64_t kSlackPixels = std::uint64_t{1} << 16;
    constexpr std::uint64_t kCutFactor = 4; // a file cut to a quarter still shows its rows
    return pixels * bytesUsed <= (bytes * kCutFactor + 1) * pixelsPer + kSlackPixels * bytesUsed;
}

// The check every reader makes before it allocates a picture: the size is within kMaxPixels
// and `bytes` of coded data could hold that many pixels at the codec's best.
inline bool pictureFitsData(std::int64_t width, std::int64_t height, std::uint64_t bytes,
                            Expansion best) {
    return sizeAllowed(width, height) &&
           dataCanHold(static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height),
                       bytes, best.pixels, best.bytes);
}

} // namespace fotoplex
