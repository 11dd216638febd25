#pragma once

#include "engine/readers/Decode.h"

namespace fotoplex {

inline DecodeResult decodeComplete() {
    return {DecodeStatus::Complete, {}};
}
inline DecodeResult decodeIncomplete(const char* reason) {
    return {DecodeStatus::Incomplete, reason};
}
inline DecodeResult decodeFailed(const char* reason) {
    return {DecodeStatus::Failed, reason};
}

// True when `bytes` of picture data could describe `pixels` pixels, at most `pixels` /
// `bytesUsed` pixels per byte (the format's largest expansion), with room for cut files.
// A header claiming far more than its data can hold is damaged: refusing it keeps memory
// in proportion to the file rather than to what its header says.
inline bool dataCanHold(std::uint64_t pixels, std::uint64_t bytes, std::uint64_t pixelsPer,
                        std::uint64_t bytesUsed) {
    constexpr std::uint64_t kSlackPixels = std::uint64_t{1} << 16;
    constexpr std::uint64_t kCutFactor = 4; // a file cut to a quarter still shows its rows
    return pixels * bytesUsed <= (bytes * kCutFactor + 1) * pixelsPer + kSlackPixels * bytesUsed;
}

// Dots per inch from pixels per metre, to the nearest whole number; 0 for none.
inline std::int32_t dotsPerInchFromMetres(std::int32_t pixelsPerMetre) {
    if (pixelsPerMetre <= 0)
        return 0;
    return static_cast<std::int32_t>((static_cast<std::int64_t>(pixelsPerMetre) * 254 + 5000) /
                                     10000);
}

} // namespace fotoplex
