#pragma once

#include "engine/Picture.h"
#include "engine/ResampleFilter.h"

#include <cstdint>

namespace fotoplex {

// Resizes `source` to width x height with one of the ten filters and returns the new picture.
// The caller (RasterImage::Resample) has already handled the empty picture, the undo snapshot
// and the derivation of a negative dimension; this function does the resampling proper.
//
// Methods:
//  - rfNone: a nearest-pixel stretch of the whole source onto the whole destination; the
//    result keeps the source's pixel format (a bilevel picture stays bilevel).
//  - rfTriangle ... rfLinear: the separable filtered rescale with integer weights in 1/256
//    units. The result is always Rgb24; a bilevel source becomes equal-channel grey. A 1 x 1
//    source is not computed: the result is black.
//  - rfFastLinear: fixed-point interpolation when enlarging, box average when reducing, and
//    an area average for bilevel sources reduced on both axes. The same size gives an exact
//    copy (a bilevel picture then stays bilevel).
//
// Decisions for inputs the callers never pass:
//  - a filter value above 9 is treated as rfLanczos3, the default of the filter lists;
//  - a width or height of 0 or less, a size that sizeAllowed() refuses, an empty source or a
//    source whose pixel buffer is shorter than its size needs: the source is returned
//    unchanged (alpha included).
// The alpha channel plays no part in resampling: every resampled picture comes back without
// alpha.
//
// Memory beyond the source and the result stays proportional to their sizes: the
// intermediate raster is processed in bands of destination columns when it would be large.
//
// The filtered methods may run their row and column passes on up to `threads` threads (the
// caller's own among them); the result is the same for any number.
Picture resamplePicture(const Picture& source, std::int32_t width, std::int32_t height,
                        TResampleFilter filter, std::int32_t threads = 1);

} // namespace fotoplex
