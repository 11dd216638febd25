#pragma once

#include "engine/Picture.h"

namespace fotoplex::resample {

// The unfiltered stretch of filter None: the whole source onto the whole destination, every
// destination pixel taking the source pixel under its centre. The pixel format is kept.
Picture stretchNearest(const Picture& source, std::int32_t width, std::int32_t height);

} // namespace fotoplex::resample
