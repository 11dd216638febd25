// Stands in until the resampling filters land: a nearest-pixel stretch in the source's format.
#include "engine/Resample.h"

namespace fotoplex {

Picture resamplePicture(const Picture& source, std::int32_t width, std::int32_t height,
                        TResampleFilter) {
    if (!sizeAllowed(width, height) || source.empty()) {
        return {};
    }
    Picture result = makePicture(width, height, source.format);
    for (std::int32_t y = 0; y < height; ++y) {
        const auto sy = static_cast<std::int32_t>(std::int64_t{y} * source.height / height);
        for (std::int32_t x = 0; x < width; ++x) {
            const auto sx = static_cast<std::int32_t>(std::int64_t{x} * source.width / width);
            if (source.format == PixelFormat::Rgb24) {
                for (int c = 0; c < 3; ++c) {
                    result.row(y)[3 * x + c] = source.row(sy)[3 * sx + c];
                }
            } else if (source.row(sy)[sx / 8] & (0x80 >> (sx % 8))) {
                result.row(y)[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
    }
    return result;
}

} // namespace fotoplex
