#pragma once

#include "engine/readers/Decode.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace fotoplex {

// A file under this many bytes never makes a reader hand out a picture over the second bound,
// whatever its header claims: readers refuse a header that asks for more than its data holds.
inline constexpr std::size_t kSmallFileBytes = 1024;
inline constexpr std::size_t kSmallFilePictureBytes = std::size_t{200} << 20;

// Stops the fuzzer when a picture's buffers do not match its size, or a small input gave a
// large picture.
inline void checkPicture(const Picture& picture, std::size_t inputSize) {
    const auto pixels = static_cast<std::size_t>(picture.width) * picture.height;
    const bool buffersMatch =
        picture.pixels.size() == picture.rowBytes() * static_cast<std::size_t>(picture.height) &&
        (picture.alpha.empty() || picture.alpha.size() == pixels);
    const bool inProportion =
        inputSize >= kSmallFileBytes ||
        picture.pixels.size() + picture.alpha.size() <= kSmallFilePictureBytes;
    if (!buffersMatch || !inProportion) {
        __builtin_trap();
    }
}

// Feeds arbitrary bytes to one reader, header first, then the whole picture. Any size the
// header claims is decoded: the readers' own guard is what keeps memory in bounds.
template <typename Decode>
int fuzzReader(const std::uint8_t* data, std::size_t size, Decode decode) {
    const std::span<const std::uint8_t> bytes(data, size);
    Picture picture;
    DecodedInfo info;
    if (decode(bytes, picture, info, true).status == DecodeStatus::Failed) {
        return 0;
    }
    if (decode(bytes, picture, info, false).status != DecodeStatus::Failed) {
        checkPicture(picture, size);
    }
    return 0;
}

} // namespace fotoplex
