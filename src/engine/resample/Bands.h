#pragma once

#include <algorithm>
#include <cstdint>

namespace fotoplex::resample {

// The intermediate raster (destination width x source height) is made for one band of
// destination columns at a time, so that a tall source stretched wide never needs an
// intermediate far larger than the source and the result. Columns are independent in both
// passes, so the band width changes nothing in the result.
inline constexpr std::int64_t kMaxBandPixels = std::int64_t{1} << 24;

inline std::int32_t bandWidth(std::int32_t destinationWidth, std::int32_t sourceHeight) {
    const std::int64_t fit = kMaxBandPixels / std::max<std::int64_t>(sourceHeight, 1);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(fit, 1, destinationWidth));
}

} // namespace fotoplex::resample
