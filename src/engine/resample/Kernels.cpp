#include "engine/resample/Kernels.h"

#include <cmath>
#include <numbers>

namespace fotoplex::resample {
namespace {

double triangle(double x) {
    const double ax = std::fabs(x);
    return ax < 1.0 ? 1.0 - ax : 0.0;
}

double hermite(double x) {
    const double ax = std::fabs(x);
    return ax < 1.0 ? (2.0 * ax - 3.0) * (x * x) + 1.0 : 0.0;
}

double bell(double x) {
    const double ax = std::fabs(x);
    if (ax < 0.5) {
        return 0.75 - x * x;
    }
    if (ax < 1.5) {
        const double t = ax - 1.5;
        return 0.5 * t * t;
    }
    return 0.0;
}

double bSpline(double x) {
    const double ax = std::fabs(x);
    if (ax < 1.0) {
        return 0.5 * (ax * ax * ax) - x * x + 2.0 / 3.0;
    }
    if (ax < 2.0) {
        const double t = 2.0 - ax;
        return t * t * t / 6.0;
    }
    return 0.0;
}

double sinc(double t) {
    if (t == 0.0) {
        return 1.0;
    }
    const double a = std::numbers::pi * t;
    return std::sin(a) / a;
}

double lanczos3(double x) {
    return std::fabs(x) < 3.0 ? sinc(x) * sinc(x / 3.0) : 0.0;
}

// The cubic with B = C = 1/3.
double mitchell(double x) {
    const double ax = std::fabs(x);
    if (ax < 1.0) {
        return (7.0 * (ax * ax * ax) - 12.0 * (x * x) + 16.0 / 3.0) / 6.0;
    }
    if (ax < 2.0) {
        return (-7.0 / 3.0 * (ax * ax * ax) + 12.0 * (x * x) - 20.0 * ax + 32.0 / 3.0) / 6.0;
    }
    return 0.0;
}

// A box of width 1, open on the left and closed on the right.
double nearest(double x) {
    return x > -0.5 && x <= 0.5 ? 1.0 : 0.0;
}

double linear(double x) {
    if (x >= -1.0 && x < 0.0) {
        return 1.0 + x;
    }
    if (x >= 0.0 && x < 1.0) {
        return 1.0 - x;
    }
    return 0.0;
}

// Indexed by filter value; entry 0 (None) and 9 (Fast Linear) have no kernel and are never
// asked for. Nearest keeps a radius of 1 although it is 0 beyond 0.5.
constexpr Kernel kKernels[kResampleFilterCount] = {
    {lanczos3, 3.0}, {triangle, 1.0}, {hermite, 1.0}, {bell, 1.5},   {bSpline, 2.0},
    {lanczos3, 3.0}, {mitchell, 2.0}, {nearest, 1.0}, {linear, 1.0}, {lanczos3, 3.0}};

} // namespace

const Kernel& kernelFor(TResampleFilter filter) {
    const int index = static_cast<int>(filter);
    return index < kResampleFilterCount ? kKernels[index] : kKernels[rfLanczos3];
}

} // namespace fotoplex::resample
