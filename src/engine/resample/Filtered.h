#pragma once

#include "engine/Picture.h"
#include "engine/resample/Kernels.h"

namespace fotoplex::resample {

// The separable filtered rescale: rows first, then columns, integer weights in 1/256 units
// normalised by their own sum. The result is Rgb24; a bilevel source is read as grey 0/255
// and comes out with three equal channels. A 1 x 1 source gives a black picture. The passes
// run on up to `threads` threads with the same result as on one.
Picture resampleFiltered(const Picture& source, std::int32_t width, std::int32_t height,
                         const Kernel& kernel, std::int32_t threads);

} // namespace fotoplex::resample
