#include "engine/resample/Filtered.h"

#include "engine/resample/AxisWeights.h"
#include "engine/resample/Bands.h"
#include "engine/resample/BilevelRows.h"
#include "engine/resample/Parts.h"
#include "engine/resample/RowSums.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace fotoplex::resample {
namespace {

// The row pass reads each list in blocks of kBlock weights, padded with zeros, from planes of
// 16-bit channel values padded at the end, so that the compiler can turn each block into a
// few vector multiply-adds. The padding multiplies zeros by zeros and changes no sum.
constexpr std::int32_t kBlock = 8;

template <typename Weight> struct BlockWeights {
    std::vector<std::int32_t> first;
    std::vector<std::int32_t> blocks;
    std::vector<std::int32_t> offset;
    std::vector<Weight> weights;
};

template <typename Weight> BlockWeights<Weight> blockWeights(const AxisWeights& axis) {
    BlockWeights<Weight> out;
    out.first = axis.first;
    const std::size_t lists = axis.first.size();
    out.blocks.resize(lists);
    out.offset.resize(lists);
    for (std::size_t i = 0; i < lists; ++i) {
        const std::int32_t count = axis.count[i];
        const std::int32_t blocks = (count + kBlock - 1) / kBlock;
        out.blocks[i] = blocks;
        out.offset[i] = static_cast<std::int32_t>(out.weights.size());
        out.weights.resize(out.weights.size() + static_cast<std::size_t>(blocks * kBlock), 0);
        for (std::int32_t t = 0; t < count; ++t) {
            out.weights[static_cast<std::size_t>(out.offset[i] + t)] =
                static_cast<Weight>(axis.weights[static_cast<std::size_t>(axis.offset[i] + t)]);
        }
    }
    return out;
}

// Merged weights stay far inside 16 bits (a list's weights add up, in absolute value, to a
// few thousand at most); this confirms it before the narrow form is used.
bool fitsInt16(const AxisWeights& axis) {
    for (const std::int32_t w : axis.weights) {
        if (w < INT16_MIN || w > INT16_MAX) {
            return false;
        }
    }
    return true;
}

// C planes of one source row, each `stride` values long, its last kBlock values zero.
struct RowPlanes {
    std::int32_t stride = 0;
    std::vector<std::int16_t> values;
};

template <int C> void fillPlanes(const Picture& source, std::int32_t y, RowPlanes& planes) {
    std::int16_t* plane = planes.values.data();
    if constexpr (C == 3) {
        const std::uint8_t* row = source.row(y);
        std::int16_t* green = plane + planes.stride;
        std::int16_t* blue = green + planes.stride;
        for (std::int32_t x = 0; x < source.width; ++x) {
            plane[x] = row[3 * x];
            green[x] = row[3 * x + 1];
            blue[x] = row[3 * x + 2];
        }
    } else {
        const std::uint8_t* row = source.row(y);
        for (std::int32_t x = 0; x < source.width; ++x) {
            plane[x] = bitAt(row, x) ? 255 : 0;
        }
    }
}

// First pass over one source row: destination columns x0 ... x1 - 1, C channels a pixel.
template <int C, typename Weight>
void horizontalRow(const RowPlanes& planes, const BlockWeights<Weight>& lists,
                   const std::vector<Divisor>& divisors, std::int32_t x0, std::int32_t x1,
                   std::uint8_t* out) {
    for (std::int32_t i = x0; i < x1; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const Weight* w = lists.weights.data() + lists.offset[at];
        const std::int16_t* red = planes.values.data() + lists.first[at];
        const std::int32_t blocks = lists.blocks[at];
        const Divisor& divisor = divisors[at];
        if constexpr (C == 3) {
            const std::int16_t* green = red + planes.stride;
            const std::int16_t* blue = green + planes.stride;
            std::int32_t s0 = 0;
            std::int32_t s1 = 0;
            std::int32_t s2 = 0;
            for (std::int32_t b = 0; b < blocks * kBlock; b += kBlock) {
                for (std::int32_t k = b; k < b + kBlock; ++k) {
                    s0 += w[k] * red[k];
                    s1 += w[k] * green[k];
                    s2 += w[k] * blue[k];
                }
            }
            out[0] = divisor.apply(s0);
            out[1] = divisor.apply(s1);
            out[2] = divisor.apply(s2);
            out += 3;
        } else {
            std::int32_t s = 0;
            for (std::int32_t b = 0; b < blocks * kBlock; b += kBlock) {
                for (std::int32_t k = b; k < b + kBlock; ++k) {
                    s += w[k] * red[k];
                }
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

// Second pass over destination rows y0 ... y1 - 1: every row adds whole intermediate rows
// times one weight, so the memory is read in the order it lies.
template <int C, typename Weight>
void verticalRows(const std::uint8_t* intermediate, std::int32_t band, const AxisWeights& axis,
                  std::int32_t x0, std::int32_t y0, std::int32_t y1,
                  std::vector<std::int32_t>& sums, Picture& destination) {
    const std::int32_t values = band * C;
    const auto rowBytes = static_cast<std::size_t>(values);
    for (std::int32_t y = y0; y < y1; ++y) {
        const auto at = static_cast<std::size_t>(y);
        std::fill(sums.begin(), sums.begin() + values, 0);
        const std::int32_t* w = axis.weights.data() + axis.offset[at];
        for (std::int32_t t = 0; t < axis.count[at]; ++t) {
            if (w[t] == 0) {
                continue;
            }
            const std::uint8_t* row =
                intermediate + static_cast<std::size_t>(axis.first[at] + t) * rowBytes;
            addWeightedRow(sums.data(), row, values, static_cast<Weight>(w[t]));
        }
        finishRow<C>(sums.data(), values, axis.divisors[at],
                     destination.row(y) + static_cast<std::size_t>(x0) * 3);
    }
}

// Each band of destination columns is made in two passes, each split into `parts` ranges of
// rows that run at once: source rows for the first pass, destination rows for the second.
// Every part has its own scratch rows, and the ranges write disjoint rows.
template <int C, typename Weight>
void resampleBands(const Picture& source, const AxisWeights& horizontal,
                   const AxisWeights& vertical, std::int32_t threads, Picture& destination) {
    const BlockWeights<Weight> lists = blockWeights<Weight>(horizontal);
    const std::int32_t band = bandWidth(destination.width, source.height);
    const std::int32_t rowParts = std::clamp(threads, 1, source.height);
    const std::int32_t columnParts = std::clamp(threads, 1, destination.height);
    std::vector<RowPlanes> planes(static_cast<std::size_t>(rowParts));
    for (RowPlanes& p : planes) {
        p.stride = source.width + kBlock;
        p.values.assign(static_cast<std::size_t>(p.stride) * C, 0);
    }
    std::vector<std::vector<std::int32_t>> sums(
        static_cast<std::size_t>(columnParts),
        std::vector<std::int32_t>(static_cast<std::size_t>(band) * C));
    // Every byte of the intermediate is written by the first pass before the second reads it.
    const auto intermediate = std::make_unique_for_overwrite<std::uint8_t[]>(
        static_cast<std::size_t>(band) * C * static_cast<std::size_t>(source.height));
    for (std::int32_t x0 = 0; x0 < destination.width; x0 += band) {
        const std::int32_t x1 = std::min(destination.width, x0 + band);
        const auto rowBytes = static_cast<std::size_t>(x1 - x0) * C;
        forEachPart(
            source.height, rowParts, [&](std::int32_t part, std::int32_t y0, std::int32_t y1) {
                RowPlanes& own = planes[static_cast<std::size_t>(part)];
                for (std::int32_t y = y0; y < y1; ++y) {
                    fillPlanes<C>(source, y, own);
                    horizontalRow<C>(own, lists, horizontal.divisors, x0, x1,
                                     intermediate.get() + rowBytes * static_cast<std::size_t>(y));
                }
            });
        forEachPart(destination.height, columnParts,
                    [&](std::int32_t part, std::int32_t y0, std::int32_t y1) {
                        verticalRows<C, Weight>(intermediate.get(), x1 - x0, vertical, x0, y0, y1,
                                                sums[static_cast<std::size_t>(part)], destination);
                    });
    }
}

template <int C>
void resampleBands(const Picture& source, const AxisWeights& horizontal,
                   const AxisWeights& vertical, std::int32_t threads, Picture& destination) {
    if (fitsInt16(horizontal) && fitsInt16(vertical)) {
        resampleBands<C, std::int16_t>(source, horizontal, vertical, threads, destination);
    } else {
        resampleBands<C, std::int32_t>(source, horizontal, vertical, threads, destination);
    }
}

} // namespace

Picture resampleFiltered(const Picture& source, std::int32_t width, std::int32_t height,
                         const Kernel& kernel, std::int32_t threads) {
    Picture destination = makePicture(width, height, PixelFormat::Rgb24);
    if (source.width < 2 && source.height < 2) {
        return destination;
    }
    const AxisWeights horizontal =
        buildAxisWeights(kernel, axisScale(source.width, width), source.width, width);
    const AxisWeights vertical =
        buildAxisWeights(kernel, axisScale(source.height, height), source.height, height);
    if (source.format == PixelFormat::Rgb24) {
        resampleBands<3>(source, horizontal, vertical, threads, destination);
    } else {
        resampleBands<1>(source, horizontal, vertical, threads, destination);
    }
    return destination;
}

} // namespace fotoplex::resample
