#pragma once

#include <cstdint>

namespace fotoplex::resample {

// Row additions of the column passes. They run over fixed blocks of kRowBlock values on
// pointers that do not alias, so that the compiler turns each block into vector code.
inline constexpr std::int32_t kRowBlock = 16;

// sums[v] += weight * row[v] for v < count. A 16-bit Weight lets the products be formed with
// 16-bit multiplies; every product of a weight and a byte fits their 32-bit result.
template <typename Weight>
void addWeightedRow(std::int32_t* __restrict sums, const std::uint8_t* __restrict row,
                    std::int32_t count, Weight weight) {
    std::int32_t v = 0;
    for (; v + kRowBlock <= count; v += kRowBlock) {
        for (std::int32_t k = v; k < v + kRowBlock; ++k) {
            sums[k] += weight * static_cast<Weight>(row[k]);
        }
    }
    for (; v < count; ++v) {
        sums[v] += weight * static_cast<Weight>(row[v]);
    }
}

// sums[v] += row[v] for v < count.
inline void addRow(std::int32_t* __restrict sums, const std::uint8_t* __restrict row,
                   std::int32_t count) {
    std::int32_t v = 0;
    for (; v + kRowBlock <= count; v += kRowBlock) {
        for (std::int32_t k = v; k < v + kRowBlock; ++k) {
            sums[k] += row[k];
        }
    }
    for (; v < count; ++v) {
        sums[v] += row[v];
    }
}

} // namespace fotoplex::resample
