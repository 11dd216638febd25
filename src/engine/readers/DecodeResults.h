#pragma once

#include "engine/readers/Decode.h"
#include "engine/readers/SizeGuard.h"

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

// Dots per inch from pixels per metre, to the nearest whole number; 0 for none.
inline std::int32_t dotsPerInchFromMetres(std::int32_t pixelsPerMetre) {
    if (pixelsPerMetre <= 0)
        return 0;
    return static_cast<std::int32_t>((static_cast<std::int64_t>(pixelsPerMetre) * 254 + 5000) /
                                     10000);
}

} // namespace fotoplex
