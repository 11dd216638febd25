#include "engine/resample/Filtered.h"

#include "engine/resample/AxisWeights.h"
#include "engine/resample/Bands.h"
#include "engine/resample/BilevelRows.h"

#include <vector>

namespace fotoplex::resample {
namespace {

// First pass over one source row: destination columns x0 ... x1 - 1, C channels a pixel.
template <int C>
void horizontalRow(const std::uint8_t* source, const AxisWeights& axis, std::int32_t x0,
                   std::int32_t x1, std::uint8_t* out) {
    for (std::int32_t i = x0; i < x1; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const std::int32_t* w = axis.weights.data() + axis.offset[at];
        const std::uint8_t* p = source + static_cast<std::ptrdiff_t>(axis.first[at]) * C;
        const std::int32_t count = axis.count[at];
        const Divisor& divisor = axis.divisors[at];
        if constexpr (C == 3) {
            std::int32_t s0 = 0;
            std::int32_t s1 = 0;
            std::int32_t s2 = 0;
            for (std::int32_t t = 0; t < count; ++t) {
                s0 += w[t] * p[3 * t];
                s1 += w[t] * p[3 * t + 1];
                s2 += w[t] * p[3 * t + 2];
            }
            out[0] = divisor.apply(s0);
            out[1] = divisor.apply(s1);
            out[2] = divisor.apply(s2);
            out += 3;
        } else {
            std::int32_t s = 0;
            for (std::int32_t t = 0; t < count; ++t) {
                s += w[t] * p[t];
            }
            *out++ = divisor.apply(s);
        }
    }
}

// Turns the sums of one destination row into channel values. A grey intermediate (C = 1)
// fills all three channels of the destination.
template <int C>
void finishRow(const std::int32_t* sums, std::int32_t values, const Divisor& divisor,
               std::uint8_t* out) {
    for (std::int32_t v = 0; v < values; ++v) {
        const std::uint8_t value = divisor.apply(sums[v]);
        if constexpr (C == 3) {
            out[v] = value;
        } else {
            out[3 * v] = value;
            out[3 * v + 1] = value;
            out[3 * v + 2] = value;
        }
    }
}

// Second pass: every destination row adds whole intermediate rows times one weight, so the
// memory is read in the order it lies.
template <int C>
void verticalPass(const std::vector<std::uint8_t>& intermediate, std::int32_t band,
                  const AxisWeights& axis, std::int32_t x0, Picture& destination) {
    const std::int32_t values = band * C;
    const auto rowBytes = static_cast<std::size_t>(values);
    std::vector<std::int32_t> sums(rowBytes);
    for (std::int32_t y = 0; y < destination.height; ++y) {
        const auto at = static_cast<std::size_t>(y);
        std::fill(sums.begin(), sums.end(), 0);
        const std::int32_t* w = axis.weights.data() + axis.offset[at];
        for (std::int32_t t = 0; t < axis.count[at]; ++t) {
            const std::int32_t weight = w[t];
            if (weight == 0) {
                continue;
            }
            const std::uint8_t* row =
                intermediate.data() + static_cast<std::size_t>(axis.first[at] + t) * rowBytes;
            for (std::int32_t v = 0; v < values; ++v) {
                sums[static_cast<std::size_t>(v)] += weight * row[v];
            }
        }
        finishRow<C>(sums.data(), values, axis.divisors[at],
                     destination.row(y) + static_cast<std::size_t>(x0) * 3);
    }
}

template <int C>
void resampleBands(const Picture& source, const AxisWeights& horizontal,
                   const AxisWeights& vertical, Picture& destination) {
    const std::int32_t band = bandWidth(destination.width, source.height);
    std::vector<std::uint8_t> grey(C == 1 ? static_cast<std::size_t>(source.width) : 0);
    std::vector<std::uint8_t> intermediate;
    for (std::int32_t x0 = 0; x0 < destination.width; x0 += band) {
        const std::int32_t x1 = std::min(destination.width, x0 + band);
        const auto rowBytes = static_cast<std::size_t>(x1 - x0) * C;
        intermediate.assign(rowBytes * static_cast<std::size_t>(source.height), 0);
        for (std::int32_t y = 0; y < source.height; ++y) {
            const std::uint8_t* row = source.row(y);
            if constexpr (C == 1) {
                unpackBilevelRow(source, y, grey.data());
                row = grey.data();
            }
            horizontalRow<C>(row, horizontal, x0, x1,
                             intermediate.data() + rowBytes * static_cast<std::size_t>(y));
        }
        verticalPass<C>(intermediate, x1 - x0, vertical, x0, destination);
    }
}

} // namespace

Picture resampleFiltered(const Picture& source, std::int32_t width, std::int32_t height,
                         const Kernel& kernel) {
    Picture destination = makePicture(width, height, PixelFormat::Rgb24);
    if (source.width < 2 && source.height < 2) {
        return destination;
    }
    const AxisWeights horizontal =
        buildAxisWeights(kernel, axisScale(source.width, width), source.width, width);
    const AxisWeights vertical =
        buildAxisWeights(kernel, axisScale(source.height, height), source.height, height);
    if (source.format == PixelFormat::Rgb24) {
        resampleBands<3>(source, horizontal, vertical, destination);
    } else {
        resampleBands<1>(source, horizontal, vertical, destination);
    }
    return destination;
}

} // namespace fotoplex::resample
