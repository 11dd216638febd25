#include "engine/Resample.h"

#include "engine/resample/FastLinear.h"
#include "engine/resample/Filtered.h"
#include "engine/resample/Kernels.h"
#include "engine/resample/Stretch.h"

namespace fotoplex {
namespace {

bool holdsItsPixels(const Picture& picture) {
    return !picture.empty() && sizeAllowed(picture.width, picture.height) &&
           picture.pixels.size() >= picture.rowBytes() * static_cast<std::size_t>(picture.height);
}

} // namespace

Picture resamplePicture(const Picture& source, std::int32_t width, std::int32_t height,
                        TResampleFilter filter, std::int32_t threads) {
    if (!holdsItsPixels(source) || !sizeAllowed(width, height)) {
        return source;
    }
    switch (filter) {
    case rfNone:
        return resample::stretchNearest(source, width, height);
    case rfFastLinear:
        return resample::resampleFastLinear(source, width, height);
    default:
        // kernelFor gives Lanczos3 for values above 9.
        return resample::resampleFiltered(source, width, height, resample::kernelFor(filter),
                                          threads);
    }
}

} // namespace fotoplex
