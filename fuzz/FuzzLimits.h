#pragma once

#include "engine/readers/Decode.h"

#include <cstdint>

namespace fotoplex {

// The fuzzers decode only pictures up to this many pixels, so that a few header bytes cannot
// push the process past the fuzzer's memory limit. The readers' own bound is far larger.
inline constexpr std::int64_t kFuzzMaxPixels = std::int64_t{1} << 22;

inline bool smallEnoughToFuzz(const DecodedInfo& info) {
    return std::int64_t{info.width} * info.height <= kFuzzMaxPixels;
}

} // namespace fotoplex
