#pragma once

#include "engine/ResampleFilter.h"

namespace fotoplex::resample {

// One filter kernel of the filtered method: its weight function, evaluated in double
// precision, and its support radius. Every kernel is 0 at and beyond its radius.
struct Kernel {
    double (*weight)(double x);
    double radius;
};

// The kernel of a filtered choice (rfTriangle ... rfLinear). Other values give Lanczos3.
const Kernel& kernelFor(TResampleFilter filter);

// The largest absolute value any kernel takes; rounding relies on it to skip lists whose
// weights must all round to 0.
inline constexpr double kMaxKernelValue = 1.0;

} // namespace fotoplex::resample
