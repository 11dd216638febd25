#pragma once

#include "engine/Picture.h"

namespace fotoplex::resample {

// Fast Linear: 17-bit fixed-point interpolation when enlarging, overlapping box averages when
// reducing (or keeping) an axis; for bilevel sources reduced on both axes an area average.
// The same size gives an exact copy in the source's format; otherwise the result is Rgb24.
Picture resampleFastLinear(const Picture& source, std::int32_t width, std::int32_t height);

} // namespace fotoplex::resample
