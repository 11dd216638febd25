#include "engine/resample/FastLinear.h"

#include "engine/resample/AxisWeights.h"
#include "engine/resample/Bands.h"
#include "engine/resample/BilevelRows.h"
#include "engine/resample/RowSums.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace fotoplex::resample {
namespace {

constexpr std::int32_t kFractionBits = 17;
constexpr double kFractionOne = 131072.0;

// Per destination index of one axis: interpolation between source pixels `low` and `high`
// with a 17-bit fraction, or the mean of source pixels `low` ... `high`.
struct FastAxis {
    bool interpolate = false;
    std::vector<std::int32_t> low;
    std::vector<std::int32_t> high;
    std::vector<std::int32_t> fraction;
    std::vector<Divisor> mean;
    std::int32_t maxCount = 1;
};

std::int32_t truncated(double value) {
    return static_cast<std::int32_t>(value);
}

// `slack` is the 1e-10 that only the column tables add to the end of a box.
FastAxis buildFastAxis(bool interpolate, double ratio, std::int32_t sourceLength,
                       std::int32_t destinationLength, double slack) {
    FastAxis axis;
    axis.interpolate = interpolate;
    const auto m = static_cast<std::size_t>(destinationLength);
    axis.low.resize(m);
    axis.high.resize(m);
    axis.fraction.resize(m, 0);
    axis.mean.resize(interpolate ? 0 : m);
    const std::int32_t last = sourceLength - 1;
    for (std::int32_t i = 0; i < destinationLength; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const double p = i / ratio;
        std::int32_t low = truncated(p);
        if (interpolate) {
            std::int32_t fraction = truncated((p - low) * kFractionOne);
            if (low > last) {
                low = last;
                fraction = 0;
            }
            axis.low[at] = low;
            axis.high[at] = std::min(low + 1, last);
            axis.fraction[at] = fraction;
        } else {
            low = std::min(low, last);
            const double end = std::min(i + 1, destinationLength - 1) / ratio + slack;
            const std::int32_t high = std::clamp(truncated(end), low, last);
            axis.low[at] = low;
            axis.high[at] = high;
            const std::int32_t count = high - low + 1;
            axis.mean[at] = makeDivisor(count, count);
            axis.maxCount = std::max(axis.maxCount, count);
        }
    }
    return axis;
}

// Boxes up to this many pixels sum in 32 bits (255 x 2^23 < 2^31) and divide by reciprocal;
// longer ones, possible only on sources millions of pixels long, sum in 64 bits.
constexpr std::int32_t kMaxNarrowBox = std::int32_t{1} << 23;

template <typename Sum> std::uint8_t mean(Sum sum, const Divisor& divisor, std::int32_t count) {
    if constexpr (sizeof(Sum) == 4) {
        return divisor.apply(sum);
    } else {
        return static_cast<std::uint8_t>(sum / count);
    }
}

std::uint8_t lerp(std::int32_t a, std::int32_t b, std::int32_t fraction) {
    // An arithmetic shift: the division rounds toward minus infinity.
    return static_cast<std::uint8_t>(a + (((b - a) * fraction) >> kFractionBits));
}

// First pass over one source row (C channels a pixel), destination columns x0 ... x1 - 1.
template <int C>
void interpolateRow(const std::uint8_t* source, const FastAxis& axis, std::int32_t x0,
                    std::int32_t x1, std::uint8_t* out) {
    for (std::int32_t i = x0; i < x1; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const std::uint8_t* a = source + static_cast<std::ptrdiff_t>(axis.low[at]) * C;
        const std::uint8_t* b = source + static_cast<std::ptrdiff_t>(axis.high[at]) * C;
        for (int c = 0; c < C; ++c) {
            *out++ = lerp(a[c], b[c], axis.fraction[at]);
        }
    }
}

template <int C, typename Sum>
void averageRow(const std::uint8_t* source, const FastAxis& axis, std::int32_t x0, std::int32_t x1,
                std::uint8_t* out) {
    for (std::int32_t i = x0; i < x1; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const std::uint8_t* a = source + static_cast<std::ptrdiff_t>(axis.low[at]) * C;
        const std::int32_t count = axis.high[at] - axis.low[at] + 1;
        const Divisor& divisor = axis.mean[at];
        if constexpr (C == 3) {
            Sum s0 = 0;
            Sum s1 = 0;
            Sum s2 = 0;
            for (std::int32_t t = 0; t < count; ++t) {
                s0 += a[3 * t];
                s1 += a[3 * t + 1];
                s2 += a[3 * t + 2];
            }
            out[0] = mean(s0, divisor, count);
            out[1] = mean(s1, divisor, count);
            out[2] = mean(s2, divisor, count);
            out += 3;
        } else {
            Sum sum = 0;
            for (std::int32_t t = 0; t < count; ++t) {
                sum += a[t];
            }
            *out++ = mean(sum, divisor, count);
        }
    }
}

template <int C>
void horizontalRow(const std::uint8_t* source, const FastAxis& axis, std::int32_t x0,
                   std::int32_t x1, std::uint8_t* out) {
    if (axis.interpolate) {
        interpolateRow<C>(source, axis, x0, x1, out);
    } else if (axis.maxCount <= kMaxNarrowBox) {
        averageRow<C, std::int32_t>(source, axis, x0, x1, out);
    } else {
        averageRow<C, std::int64_t>(source, axis, x0, x1, out);
    }
}

// Writes `value` v of a row of C-channel values into a 24-bit destination row.
template <int C> void store(std::uint8_t* out, std::int32_t v, std::uint8_t value) {
    if constexpr (C == 3) {
        out[v] = value;
    } else {
        out[3 * v] = value;
        out[3 * v + 1] = value;
        out[3 * v + 2] = value;
    }
}

// Second pass from an intermediate band of `band` columns into the destination.
template <int C>
void interpolateRows(const std::vector<std::uint8_t>& intermediate, std::int32_t band,
                     const FastAxis& axis, std::int32_t x0, Picture& destination) {
    const std::int32_t values = band * C;
    const auto rowBytes = static_cast<std::size_t>(values);
    for (std::int32_t y = 0; y < destination.height; ++y) {
        const auto at = static_cast<std::size_t>(y);
        std::uint8_t* out = destination.row(y) + static_cast<std::size_t>(x0) * 3;
        const std::uint8_t* a =
            intermediate.data() + static_cast<std::size_t>(axis.low[at]) * rowBytes;
        const std::uint8_t* b =
            intermediate.data() + static_cast<std::size_t>(axis.high[at]) * rowBytes;
        const std::int32_t fraction = axis.fraction[at];
        for (std::int32_t v = 0; v < values; ++v) {
            store<C>(out, v, lerp(a[v], b[v], fraction));
        }
    }
}

template <int C, typename Sum>
void averageRows(const std::vector<std::uint8_t>& intermediate, std::int32_t band,
                 const FastAxis& axis, std::int32_t x0, Picture& destination) {
    const std::int32_t values = band * C;
    const auto rowBytes = static_cast<std::size_t>(values);
    std::vector<Sum> sums(rowBytes);
    for (std::int32_t y = 0; y < destination.height; ++y) {
        const auto at = static_cast<std::size_t>(y);
        std::uint8_t* out = destination.row(y) + static_cast<std::size_t>(x0) * 3;
        std::fill(sums.begin(), sums.end(), 0);
        for (std::int32_t r = axis.low[at]; r <= axis.high[at]; ++r) {
            const std::uint8_t* row = intermediate.data() + static_cast<std::size_t>(r) * rowBytes;
            if constexpr (sizeof(Sum) == 4) {
                addRow(sums.data(), row, values);
            } else {
                for (std::int32_t v = 0; v < values; ++v) {
                    sums[static_cast<std::size_t>(v)] += row[v];
                }
            }
        }
        const std::int32_t count = axis.high[at] - axis.low[at] + 1;
        for (std::int32_t v = 0; v < values; ++v) {
            store<C>(out, v, mean(sums[static_cast<std::size_t>(v)], axis.mean[at], count));
        }
    }
}

template <int C>
void verticalPass(const std::vector<std::uint8_t>& intermediate, std::int32_t band,
                  const FastAxis& axis, std::int32_t x0, Picture& destination) {
    if (axis.interpolate) {
        interpolateRows<C>(intermediate, band, axis, x0, destination);
    } else if (axis.maxCount <= kMaxNarrowBox) {
        averageRows<C, std::int32_t>(intermediate, band, axis, x0, destination);
    } else {
        averageRows<C, std::int64_t>(intermediate, band, axis, x0, destination);
    }
}

template <int C>
void resampleBands(const Picture& source, const FastAxis& horizontal, const FastAxis& vertical,
                   Picture& destination) {
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

// Inclusive source range [low, high] of destination index i for the bilevel area average.
struct Span {
    std::int32_t low;
    std::int32_t high;
};

Span clampedSpan(double from, double to, std::int32_t length) {
    const auto low = static_cast<std::int64_t>(from);
    const auto high = static_cast<std::int64_t>(to);
    return {static_cast<std::int32_t>(std::clamp<std::int64_t>(low, 0, length - 1)),
            static_cast<std::int32_t>(std::clamp<std::int64_t>(high, 0, length - 1))};
}

// A bilevel source reduced on both axes: each destination pixel is 255 x (set pixels) div
// (pixels covered) over its box. Column boxes reach gx/2 to both sides; row boxes reach gy/2
// up but only Trunc(gy)/2 down.
Picture areaAverage(const Picture& source, std::int32_t width, std::int32_t height) {
    Picture destination = makePicture(width, height, PixelFormat::Rgb24);
    const double gx = static_cast<double>(source.width) / width;
    const double gy = static_cast<double>(source.height) / height;
    std::vector<Span> columns(static_cast<std::size_t>(width));
    for (std::int32_t x = 0; x < width; ++x) {
        columns[static_cast<std::size_t>(x)] =
            clampedSpan(x * gx - gx / 2, x * gx + gx / 2, source.width);
    }
    const double down = std::trunc(gy) / 2;
    std::vector<std::int64_t> prefix(static_cast<std::size_t>(source.width) + 1);
    std::vector<std::int32_t> setInColumn(static_cast<std::size_t>(source.width));
    for (std::int32_t y = 0; y < height; ++y) {
        const Span rows = clampedSpan(y * gy - gy / 2, y * gy + down, source.height);
        std::fill(setInColumn.begin(), setInColumn.end(), 0);
        for (std::int32_t r = rows.low; r <= rows.high; ++r) {
            const std::uint8_t* row = source.row(r);
            for (std::int32_t c = 0; c < source.width; ++c) {
                setInColumn[static_cast<std::size_t>(c)] += bitAt(row, c) ? 1 : 0;
            }
        }
        for (std::int32_t c = 0; c < source.width; ++c) {
            prefix[static_cast<std::size_t>(c) + 1] =
                prefix[static_cast<std::size_t>(c)] + setInColumn[static_cast<std::size_t>(c)];
        }
        const std::int64_t rowCount = rows.high - rows.low + 1;
        std::uint8_t* out = destination.row(y);
        for (std::int32_t x = 0; x < width; ++x) {
            const Span cols = columns[static_cast<std::size_t>(x)];
            const std::int64_t set = prefix[static_cast<std::size_t>(cols.high) + 1] -
                                     prefix[static_cast<std::size_t>(cols.low)];
            const std::int64_t covered = rowCount * (cols.high - cols.low + 1);
            const auto grey = static_cast<std::uint8_t>(255 * set / covered);
            out[3 * x] = grey;
            out[3 * x + 1] = grey;
            out[3 * x + 2] = grey;
        }
    }
    return destination;
}

Picture copyWithoutAlpha(const Picture& source) {
    Picture copy = makePicture(source.width, source.height, source.format);
    std::copy_n(source.pixels.begin(), copy.pixels.size(), copy.pixels.begin());
    return copy;
}

} // namespace

Picture resampleFastLinear(const Picture& source, std::int32_t width, std::int32_t height) {
    const double xr = static_cast<double>(width) / source.width;
    const double yr = static_cast<double>(height) / source.height;
    if (xr == 1.0 && yr == 1.0) {
        return copyWithoutAlpha(source);
    }
    const bool bilevel = source.format == PixelFormat::Bilevel;
    if (bilevel && xr < 1.0 && yr < 1.0) {
        return areaAverage(source, width, height);
    }
    // A bilevel source with either axis kept or enlarged interpolates on both axes.
    const bool interpolateX = bilevel || xr > 1.0;
    const bool interpolateY = bilevel || yr > 1.0;
    const FastAxis horizontal = buildFastAxis(interpolateX, xr, source.width, width, 1e-10);
    const FastAxis vertical = buildFastAxis(interpolateY, yr, source.height, height, 0.0);
    Picture destination = makePicture(width, height, PixelFormat::Rgb24);
    if (bilevel) {
        resampleBands<1>(source, horizontal, vertical, destination);
    } else {
        resampleBands<3>(source, horizontal, vertical, destination);
    }
    return destination;
}

} // namespace fotoplex::resample
