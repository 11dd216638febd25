#pragma once

#include "engine/resample/Kernels.h"

#include <cstdint>
#include <vector>

namespace fotoplex::resample {

// How one weighted sum S is turned into a channel value, fixed per contributor list by its
// weight sum W: S / W truncating toward zero, or, when W = 0, S shifted right by 8 bits as an
// unsigned number; then clamped to 0 ... 255.
struct Divisor {
    enum class Mode : std::uint8_t { Reciprocal, Divide, Shift };
    Mode mode = Mode::Shift;
    std::int32_t sum = 0;
    // For Reciprocal (sum > 0): S / sum == (S * reciprocal) >> 32 for every S this list can
    // produce, checked when the list is built.
    std::uint64_t reciprocal = 0;

    std::uint8_t apply(std::int32_t s) const {
        std::int32_t value;
        if (mode == Mode::Reciprocal) {
            // A negative S over a positive sum is at most 0 and clamps to 0.
            value =
                s < 0
                    ? 0
                    : static_cast<std::int32_t>((static_cast<std::uint64_t>(s) * reciprocal) >> 32);
        } else if (mode == Mode::Divide) {
            value = s / sum;
        } else {
            value = static_cast<std::int32_t>(static_cast<std::uint32_t>(s) >> 8);
        }
        return static_cast<std::uint8_t>(value < 0 ? 0 : (value > 255 ? 255 : value));
    }
};

// The contributor lists of one axis, flattened. List i reads the `count[i]` consecutive source
// pixels from `first[i]` with the weights at `weights[offset[i]]...`. Candidates that fall on
// the same source pixel after mirroring and clamping have their weights added, which gives the
// same sums as reading that pixel once per candidate.
struct AxisWeights {
    std::vector<std::int32_t> first;
    std::vector<std::int32_t> count;
    std::vector<std::int32_t> offset;
    std::vector<std::int32_t> weights;
    std::vector<Divisor> divisors;
    std::int32_t maxCount = 0;
};

// The divisor for sums S of weights adding up to `sum`, where the largest S is 255 times
// `maxPositiveWeights` (the sum of the list's positive weights).
Divisor makeDivisor(std::int32_t sum, std::int64_t maxPositiveWeights);

// Scale of one axis: destination over source length, measured between the first and last
// pixel centres unless either length is 1.
double axisScale(std::int32_t sourceLength, std::int32_t destinationLength);

// The lists for destination indices 0 ... destinationLength - 1 of an axis with this scale.
AxisWeights buildAxisWeights(const Kernel& kernel, double scale, std::int32_t sourceLength,
                             std::int32_t destinationLength);

} // namespace fotoplex::resample
