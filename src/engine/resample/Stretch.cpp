#include "engine/resample/Stretch.h"

#include "engine/resample/BilevelRows.h"

#include <algorithm>
#include <vector>

namespace fotoplex::resample {
namespace {

// Source index under the centre of destination index i: floor((i + 1/2) * n / m).
std::vector<std::int32_t> centreIndices(std::int32_t sourceLength, std::int32_t length) {
    std::vector<std::int32_t> indices(static_cast<std::size_t>(length));
    for (std::int32_t i = 0; i < length; ++i) {
        const std::int64_t index =
            (2 * std::int64_t{i} + 1) * sourceLength / (2 * std::int64_t{length});
        indices[static_cast<std::size_t>(i)] = static_cast<std::int32_t>(index);
    }
    return indices;
}

} // namespace

Picture stretchNearest(const Picture& source, std::int32_t width, std::int32_t height) {
    Picture destination = makePicture(width, height, source.format);
    const std::vector<std::int32_t> columns = centreIndices(source.width, width);
    const std::vector<std::int32_t> rows = centreIndices(source.height, height);
    for (std::int32_t y = 0; y < height; ++y) {
        const std::int32_t sourceRow = rows[static_cast<std::size_t>(y)];
        if (y > 0 && sourceRow == rows[static_cast<std::size_t>(y) - 1]) {
            std::copy_n(destination.row(y - 1), destination.rowBytes(), destination.row(y));
            continue;
        }
        const std::uint8_t* in = source.row(sourceRow);
        std::uint8_t* out = destination.row(y);
        if (source.format == PixelFormat::Rgb24) {
            for (std::int32_t x = 0; x < width; ++x) {
                const std::uint8_t* p =
                    in + 3 * static_cast<std::size_t>(columns[static_cast<std::size_t>(x)]);
                out[3 * x] = p[0];
                out[3 * x + 1] = p[1];
                out[3 * x + 2] = p[2];
            }
        } else {
            for (std::int32_t x = 0; x < width; ++x) {
                if (bitAt(in, columns[static_cast<std::size_t>(x)])) {
                    setBit(out, x);
                }
            }
        }
    }
    return destination;
}

} // namespace fotoplex::resample
