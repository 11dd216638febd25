#pragma once

#include "engine/readers/Decode.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace fotoplex {

// The fuzzers decode only pictures up to this many pixels, so that a few header bytes cannot
// push the process past the fuzzer's memory limit. The readers' own bound is far larger.
inline constexpr std::int64_t kFuzzMaxPixels = std::int64_t{1} << 22;

inline bool smallEnoughToFuzz(const DecodedInfo& info) {
    return std::int64_t{info.width} * info.height <= kFuzzMaxPixels;
}

// Feeds arbitrary bytes to one reader, header first, then the whole picture, and stops the
// fuzzer when a picture's buffers do not match its size.
template <typename Decode>
int fuzzReader(const std::uint8_t* data, std::size_t size, Decode decode) {
    const std::span<const std::uint8_t> bytes(data, size);
    Picture picture;
    DecodedInfo info;
    if (decode(bytes, picture, info, true).status == DecodeStatus::Failed ||
        !smallEnoughToFuzz(info)) {
        return 0;
    }
    const DecodeResult result = decode(bytes, picture, info, false);
    if (result.status != DecodeStatus::Failed &&
        (picture.pixels.size() != picture.rowBytes() * static_cast<std::size_t>(picture.height) ||
         (!picture.alpha.empty() &&
          picture.alpha.size() != static_cast<std::size_t>(picture.width) * picture.height))) {
        __builtin_trap();
    }
    return 0;
}

} // namespace fotoplex
