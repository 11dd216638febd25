#pragma once

#include "engine/Picture.h"
#include "engine/ResampleFilter.h"

#include <cstdint>

namespace fotoplex {

// The picture resized to width x height (both already resolved, not negative) with a filter.
Picture resamplePicture(const Picture& source, std::int32_t width, std::int32_t height,
                        TResampleFilter filter);

} // namespace fotoplex
