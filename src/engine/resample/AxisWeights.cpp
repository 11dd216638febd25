#include "engine/resample/AxisWeights.h"

#include <algorithm>
#include <cmath>

namespace fotoplex::resample {
namespace {

struct Candidate {
    std::int32_t index;
    std::int32_t weight;
};

// Mirrors an index at both ends, then clamps what is still outside (short sources).
std::int32_t sourceIndex(std::int64_t j, std::int32_t length) {
    std::int64_t index = j;
    if (index < 0) {
        index = -index;
    } else if (index >= length) {
        index = 2 * std::int64_t{length} - 1 - index;
    }
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(index, 0, length - 1));
}

std::int32_t roundWeight(double value) {
    return static_cast<std::int32_t>(std::nearbyint(value));
}

// The non-zero weighted candidates of destination index i.
void collectCandidates(const Kernel& kernel, double scale, std::int32_t length, std::int32_t i,
                       std::vector<Candidate>& out) {
    out.clear();
    const double centre = i / scale;
    if (scale >= 1.0) {
        const double r = kernel.radius;
        const auto low = static_cast<std::int64_t>(std::floor(centre - r));
        const auto high = static_cast<std::int64_t>(std::ceil(centre + r));
        for (std::int64_t j = low; j <= high; ++j) {
            const std::int32_t w =
                roundWeight(kernel.weight(centre - static_cast<double>(j)) * 256.0);
            if (w != 0) {
                out.push_back({sourceIndex(j, length), w});
            }
        }
        return;
    }
    const double r = kernel.radius / scale;
    const double f = 1.0 / scale;
    // No kernel value exceeds 1, so when 256 / f is well below one half every weight
    // rounds to 0 and the list stays empty.
    if (256.0 * kMaxKernelValue / f < 0.49) {
        return;
    }
    const auto low = static_cast<std::int64_t>(std::floor(centre - r));
    const auto high = static_cast<std::int64_t>(std::ceil(centre + r));
    for (std::int64_t j = low; j <= high; ++j) {
        const std::int32_t w =
            roundWeight(kernel.weight((centre - static_cast<double>(j)) / f) * 256.0 / f);
        if (w != 0) {
            out.push_back({sourceIndex(j, length), w});
        }
    }
}

} // namespace

// The largest S the list can give (all positive weights on 255, the others on 0) must keep
// the reciprocal product exact: with m = ceil(2^32 / W) and e = m * W - 2^32, the quotient
// is exact for every S with S * e < 2^32.
Divisor makeDivisor(std::int32_t sum, std::int64_t maxPositiveWeights) {
    Divisor d;
    d.sum = sum;
    if (sum == 0) {
        d.mode = Divisor::Mode::Shift;
        return d;
    }
    d.mode = Divisor::Mode::Divide;
    if (sum > 0) {
        const std::uint64_t two32 = std::uint64_t{1} << 32;
        const auto w = static_cast<std::uint64_t>(sum);
        const std::uint64_t m = (two32 + w - 1) / w;
        const std::uint64_t e = m * w - two32;
        const auto maxS = static_cast<std::uint64_t>(maxPositiveWeights) * 255;
        if (maxS < (std::uint64_t{1} << 31) && maxS * e < two32) {
            d.mode = Divisor::Mode::Reciprocal;
            d.reciprocal = m;
        }
    }
    return d;
}

double axisScale(std::int32_t sourceLength, std::int32_t destinationLength) {
    if (sourceLength == 1 || destinationLength == 1) {
        return static_cast<double>(destinationLength) / sourceLength;
    }
    return static_cast<double>(destinationLength - 1) / (sourceLength - 1);
}

AxisWeights buildAxisWeights(const Kernel& kernel, double scale, std::int32_t sourceLength,
                             std::int32_t destinationLength) {
    AxisWeights axis;
    const auto m = static_cast<std::size_t>(destinationLength);
    axis.first.resize(m);
    axis.count.resize(m);
    axis.offset.resize(m);
    axis.divisors.resize(m);
    std::vector<Candidate> candidates;
    for (std::int32_t i = 0; i < destinationLength; ++i) {
        collectCandidates(kernel, scale, sourceLength, i, candidates);
        const auto at = static_cast<std::size_t>(i);
        axis.offset[at] = static_cast<std::int32_t>(axis.weights.size());
        if (candidates.empty()) {
            axis.first[at] = 0;
            axis.count[at] = 0;
            axis.divisors[at] = makeDivisor(0, 0);
            continue;
        }
        std::int32_t low = candidates.front().index;
        std::int32_t high = low;
        for (const Candidate& c : candidates) {
            low = std::min(low, c.index);
            high = std::max(high, c.index);
        }
        const std::int32_t count = high - low + 1;
        const std::size_t base = axis.weights.size();
        axis.weights.resize(base + static_cast<std::size_t>(count), 0);
        std::int32_t sum = 0;
        for (const Candidate& c : candidates) {
            axis.weights[base + static_cast<std::size_t>(c.index - low)] += c.weight;
            sum += c.weight;
        }
        std::int64_t positive = 0;
        for (std::int32_t t = 0; t < count; ++t) {
            positive += std::max(0, axis.weights[base + static_cast<std::size_t>(t)]);
        }
        axis.first[at] = low;
        axis.count[at] = count;
        axis.divisors[at] = makeDivisor(sum, positive);
        axis.maxCount = std::max(axis.maxCount, count);
    }
    return axis;
}

} // namespace fotoplex::resample
