// Compares the resampler byte for byte with a slow reference written here from the
// definition of each method: contributor lists evaluated in double precision and rounded,
// per pixel sums, no shared code with the engine.
#include "engine/Picture.h"
#include "engine/Resample.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <numbers>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace fotoplex {
namespace {

// ---- The reference -------------------------------------------------------------------

double refKernel(int filter, double x) {
    const double a = std::fabs(x);
    switch (filter) {
    case 1: // Triangle
        return a < 1 ? 1 - a : 0;
    case 2: // Hermite
        return a < 1 ? (2 * a - 3) * (x * x) + 1 : 0;
    case 3: // Bell
        if (a < 0.5) {
            return 0.75 - x * x;
        }
        return a < 1.5 ? 0.5 * ((a - 1.5) * (a - 1.5)) : 0;
    case 4: // BSpline
        if (a < 1) {
            return 0.5 * (a * a * a) - x * x + 2.0 / 3.0;
        }
        return a < 2 ? (2 - a) * (2 - a) * (2 - a) / 6 : 0;
    case 5: { // Lanczos3
        if (a >= 3) {
            return 0;
        }
        auto sinc = [](double t) {
            return t == 0 ? 1.0 : std::sin(std::numbers::pi * t) / (std::numbers::pi * t);
        };
        return sinc(x) * sinc(x / 3);
    }
    case 6: // Mitchell
        if (a < 1) {
            return (7 * (a * a * a) - 12 * (x * x) + 16.0 / 3.0) / 6;
        }
        return a < 2 ? (-7.0 / 3.0 * (a * a * a) + 12 * (x * x) - 20 * a + 32.0 / 3.0) / 6 : 0;
    case 7: // Nearest
        return (-0.5 < x && x <= 0.5) ? 1 : 0;
    case 8: // Linear
        if (-1 <= x && x < 0) {
            return 1 + x;
        }
        return (0 <= x && x < 1) ? 1 - x : 0;
    }
    return 0;
}

double refRadius(int filter) {
    const double radii[] = {0, 1, 1, 1.5, 2, 3, 2, 1, 1, 0};
    return radii[filter];
}

std::int32_t roundHalfEven(double v) {
    const double low = std::floor(v);
    const double rest = v - low;
    double r = low;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(low, 2.0) != 0)) {
        r = low + 1;
    }
    return static_cast<std::int32_t>(r);
}

struct Contributor {
    std::int32_t index; // mirrored, not yet clamped
    std::int32_t weight;
};

std::vector<Contributor> refContributors(int filter, double s, int n, int i) {
    std::vector<Contributor> list;
    const double c = i / s;
    const double R = refRadius(filter);
    const double r = s >= 1 ? R : R / s;
    const double f = 1 / s;
    for (long long j = static_cast<long long>(std::floor(c - r));
         j <= static_cast<long long>(std::ceil(c + r)); ++j) {
        const double w =
            s >= 1 ? refKernel(filter, c - j) * 256 : refKernel(filter, (c - j) / f) * 256 / f;
        const std::int32_t weight = roundHalfEven(w);
        if (weight == 0) {
            continue;
        }
        long long index = j;
        if (j < 0) {
            index = -j;
        } else if (j >= n) {
            index = 2LL * n - 1 - j;
        }
        list.push_back({static_cast<std::int32_t>(index), weight});
    }
    return list;
}

std::uint8_t refChannel(std::int32_t S, std::int32_t W) {
    std::int64_t v;
    if (W != 0) {
        v = S / W;
    } else {
        v = static_cast<std::uint32_t>(S) >> 8;
    }
    return static_cast<std::uint8_t>(std::clamp<std::int64_t>(v, 0, 255));
}

int clampIndex(int index, int n) {
    return index < 0 ? 0 : (index >= n ? n - 1 : index);
}

bool refBit(const Picture& p, int x, int y) {
    const std::uint8_t byte = p.pixels[static_cast<std::size_t>(y) * p.rowBytes() + x / 8];
    return (byte >> (7 - x % 8)) & 1;
}

// Channel c of source pixel (x, y) as the methods read it: bilevel pixels are 255 or 0.
int refSample(const Picture& p, int x, int y, int c) {
    if (p.format == PixelFormat::Bilevel) {
        return refBit(p, x, y) ? 255 : 0;
    }
    return p.pixels[static_cast<std::size_t>(y) * p.rowBytes() + 3 * x + c];
}

double refScale(int n, int m) {
    if (n == 1 || m == 1) {
        return static_cast<double>(m) / n;
    }
    return static_cast<double>(m - 1) / (n - 1);
}

Picture blank(int w, int h, PixelFormat format) {
    Picture p;
    p.width = w;
    p.height = h;
    p.format = format;
    const std::size_t row = format == PixelFormat::Rgb24 ? 3 * w : (w + 7) / 8;
    p.pixels.assign(row * h, 0);
    return p;
}

void refPut(Picture& p, int x, int y, int c, int v) {
    p.pixels[static_cast<std::size_t>(y) * 3 * p.width + 3 * x + c] = static_cast<std::uint8_t>(v);
}

Picture refFiltered(const Picture& src, int dw, int dh, int filter) {
    const int sw = src.width;
    const int sh = src.height;
    Picture dst = blank(dw, dh, PixelFormat::Rgb24);
    if (sw < 2 && sh < 2) {
        return dst;
    }
    const int channels = src.format == PixelFormat::Rgb24 ? 3 : 1;
    // Intermediate: dw x sh, `channels` values a pixel.
    std::vector<int> mid(static_cast<std::size_t>(dw) * sh * channels);
    const double xs = refScale(sw, dw);
    for (int i = 0; i < dw; ++i) {
        const auto list = refContributors(filter, xs, sw, i);
        for (int y = 0; y < sh; ++y) {
            for (int c = 0; c < channels; ++c) {
                std::int32_t S = 0;
                std::int32_t W = 0;
                for (const auto& k : list) {
                    S += k.weight * refSample(src, clampIndex(k.index, sw), y, c);
                    W += k.weight;
                }
                mid[(static_cast<std::size_t>(y) * dw + i) * channels + c] = refChannel(S, W);
            }
        }
    }
    const double ys = refScale(sh, dh);
    for (int i = 0; i < dh; ++i) {
        const auto list = refContributors(filter, ys, sh, i);
        for (int x = 0; x < dw; ++x) {
            for (int c = 0; c < channels; ++c) {
                std::int32_t S = 0;
                std::int32_t W = 0;
                for (const auto& k : list) {
                    const int row = clampIndex(k.index, sh);
                    S += k.weight * mid[(static_cast<std::size_t>(row) * dw + x) * channels + c];
                    W += k.weight;
                }
                const int v = refChannel(S, W);
                for (int out = 0; out < 3; ++out) {
                    if (channels == 3 && out != c) {
                        continue;
                    }
                    refPut(dst, x, i, out, v);
                }
            }
        }
    }
    return dst;
}

int floorDiv(int a, int b) {
    int q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) {
        --q;
    }
    return q;
}

int interpolated(int a, int b, int fraction) {
    return a + floorDiv((b - a) * fraction, 131072);
}

Picture refFastLinear(const Picture& src, int dw, int dh) {
    const int sw = src.width;
    const int sh = src.height;
    const double xr = static_cast<double>(dw) / sw;
    const double yr = static_cast<double>(dh) / sh;
    if (xr == 1 && yr == 1) {
        Picture copy = src;
        copy.alpha.clear();
        return copy;
    }
    Picture dst = blank(dw, dh, PixelFormat::Rgb24);
    const bool bilevel = src.format == PixelFormat::Bilevel;
    if (bilevel && xr < 1 && yr < 1) {
        const double gx = static_cast<double>(sw) / dw;
        const double gy = static_cast<double>(sh) / dh;
        for (int y = 0; y < dh; ++y) {
            for (int x = 0; x < dw; ++x) {
                const int x0 = std::clamp(static_cast<int>(x * gx - gx / 2), 0, sw - 1);
                const int x1 = std::clamp(static_cast<int>(x * gx + gx / 2), 0, sw - 1);
                const int y0 = std::clamp(static_cast<int>(y * gy - gy / 2), 0, sh - 1);
                const int y1 = std::clamp(static_cast<int>(y * gy + std::trunc(gy) / 2), 0, sh - 1);
                long long set = 0;
                long long covered = 0;
                for (int yy = y0; yy <= y1; ++yy) {
                    for (int xx = x0; xx <= x1; ++xx) {
                        set += refBit(src, xx, yy) ? 1 : 0;
                        ++covered;
                    }
                }
                for (int c = 0; c < 3; ++c) {
                    refPut(dst, x, y, c, static_cast<int>(255 * set / covered));
                }
            }
        }
        return dst;
    }
    const bool lerpX = bilevel || xr > 1;
    const bool lerpY = bilevel || yr > 1;
    const int channels = bilevel ? 1 : 3;
    std::vector<int> mid(static_cast<std::size_t>(dw) * sh * channels);
    for (int y = 0; y < sh; ++y) {
        for (int i = 0; i < dw; ++i) {
            const double p = i / xr;
            const int L = static_cast<int>(p);
            const int F = static_cast<int>((p - L) * 131072);
            const int E = static_cast<int>(std::min(i + 1, dw - 1) / xr + 1e-10);
            for (int c = 0; c < channels; ++c) {
                int v;
                if (lerpX) {
                    v = interpolated(refSample(src, L, y, c),
                                     refSample(src, std::min(L + 1, sw - 1), y, c), F);
                } else {
                    int sum = 0;
                    for (int k = L; k <= E; ++k) {
                        sum += refSample(src, k, y, c);
                    }
                    v = sum / (E - L + 1);
                }
                mid[(static_cast<std::size_t>(y) * dw + i) * channels + c] = v;
            }
        }
    }
    auto midAt = [&](int x, int y, int c) {
        return mid[(static_cast<std::size_t>(y) * dw + x) * channels + c];
    };
    for (int r = 0; r < dh; ++r) {
        for (int x = 0; x < dw; ++x) {
            for (int c = 0; c < channels; ++c) {
                int v;
                if (lerpY) {
                    const double p = r / yr;
                    const int T = static_cast<int>(p);
                    const int G = static_cast<int>((p - T) * 131072);
                    const int next = T + 1 < sh ? T + 1 : T;
                    v = interpolated(midAt(x, T, c), midAt(x, next, c), G);
                } else {
                    const int first = static_cast<int>(r / yr);
                    const int last = static_cast<int>(std::min(r + 1, dh - 1) / yr);
                    int sum = 0;
                    for (int k = first; k <= last; ++k) {
                        sum += midAt(x, k, c);
                    }
                    v = sum / (last - first + 1);
                }
                for (int out = 0; out < 3; ++out) {
                    if (channels == 3 && out != c) {
                        continue;
                    }
                    refPut(dst, x, r, out, v);
                }
            }
        }
    }
    return dst;
}

// None: the source pixel under the centre of each destination pixel.
Picture refStretch(const Picture& src, int dw, int dh) {
    Picture dst = blank(dw, dh, src.format);
    for (int y = 0; y < dh; ++y) {
        const int sy = static_cast<int>(std::floor((y + 0.5) * src.height / dh));
        for (int x = 0; x < dw; ++x) {
            const int sx = static_cast<int>(std::floor((x + 0.5) * src.width / dw));
            if (src.format == PixelFormat::Rgb24) {
                for (int c = 0; c < 3; ++c) {
                    refPut(dst, x, y, c, refSample(src, sx, sy, c));
                }
            } else if (refBit(src, sx, sy)) {
                dst.pixels[static_cast<std::size_t>(y) * dst.rowBytes() + x / 8] |=
                    static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
    }
    return dst;
}

Picture reference(const Picture& src, int dw, int dh, int filter) {
    if (filter == 0) {
        return refStretch(src, dw, dh);
    }
    if (filter == 9) {
        return refFastLinear(src, dw, dh);
    }
    return refFiltered(src, dw, dh, filter);
}

// ---- Inputs ------------------------------------------------------------------------

// Noise, smooth ramps and flat patches, so that sums land both inside and outside 0..255.
Picture randomPicture(std::mt19937& random, int w, int h, PixelFormat format) {
    Picture p = blank(w, h, format);
    const int kind = static_cast<int>(random() % 3);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (format == PixelFormat::Bilevel) {
                const bool set = kind == 0 ? (random() & 1) : ((x / 3 + y / 2 + kind) % 2 == 0);
                if (set) {
                    p.pixels[static_cast<std::size_t>(y) * p.rowBytes() + x / 8] |=
                        static_cast<std::uint8_t>(0x80 >> (x % 8));
                }
                continue;
            }
            for (int c = 0; c < 3; ++c) {
                int v = static_cast<int>(random() % 256);
                if (kind == 1) {
                    v = (x * 37 + y * 11 + c * 80) % 256;
                } else if (kind == 2) {
                    v = ((x / 4 + y / 4) % 2) != 0 ? 255 : 0;
                }
                refPut(p, x, y, c, v);
            }
        }
    }
    // Bits past the last pixel of a bilevel row are noise a reader may leave behind.
    if (format == PixelFormat::Bilevel && w % 8 != 0) {
        for (int y = 0; y < h; ++y) {
            p.pixels[static_cast<std::size_t>(y) * p.rowBytes() + p.rowBytes() - 1] |=
                static_cast<std::uint8_t>(0xFF >> (w % 8));
        }
    }
    return p;
}

int randomLength(std::mt19937& random) {
    switch (random() % 6) {
    case 0:
        return 1 + static_cast<int>(random() % 3);
    case 1:
        return 40 + static_cast<int>(random() % 400); // strong reductions
    default:
        return 1 + static_cast<int>(random() % 24);
    }
}

std::string describe(const Picture& src, int dw, int dh, int filter) {
    return std::to_string(src.width) + "x" + std::to_string(src.height) +
           (src.format == PixelFormat::Bilevel ? " bilevel" : " rgb") + " -> " +
           std::to_string(dw) + "x" + std::to_string(dh) + " filter " + std::to_string(filter);
}

// The bilevel padding bits of a result carry no pixels; compare only real pixels there.
void expectSamePixels(const Picture& expected, const Picture& actual, const std::string& what) {
    ASSERT_EQ(expected.width, actual.width) << what;
    ASSERT_EQ(expected.height, actual.height) << what;
    ASSERT_EQ(expected.format, actual.format) << what;
    EXPECT_TRUE(actual.alpha.empty()) << what;
    if (expected.format == PixelFormat::Bilevel) {
        for (int y = 0; y < expected.height; ++y) {
            for (int x = 0; x < expected.width; ++x) {
                ASSERT_EQ(refBit(expected, x, y), refBit(actual, x, y))
                    << what << " at " << x << "," << y;
            }
        }
        return;
    }
    ASSERT_EQ(expected.pixels.size(), actual.pixels.size()) << what;
    const auto mismatch =
        std::mismatch(expected.pixels.begin(), expected.pixels.end(), actual.pixels.begin());
    if (mismatch.first != expected.pixels.end()) {
        const auto at = static_cast<int>(mismatch.first - expected.pixels.begin());
        FAIL() << what << ": first difference at pixel " << (at / 3) % expected.width << ","
               << at / 3 / expected.width << " channel " << at % 3 << ": expected "
               << int{*mismatch.first} << ", got " << int{*mismatch.second};
    }
}

class ResampleMatchesReference : public ::testing::TestWithParam<int> {};

TEST_P(ResampleMatchesReference, OnRandomSizesAndPictures) {
    const int filter = GetParam();
    std::mt19937 random(1234u + static_cast<unsigned>(filter));
    for (int round = 0; round < 200; ++round) {
        const auto format = round % 2 == 0 ? PixelFormat::Rgb24 : PixelFormat::Bilevel;
        int sw = randomLength(random);
        int sh = randomLength(random);
        // Keep the reference quick: only one long side at a time.
        if (sw > 30 && sh > 30) {
            sh = 1 + sh % 9;
        }
        int dw = randomLength(random);
        int dh = randomLength(random);
        switch (round % 5) {
        case 0:
            dw = sw; // same size, or one axis kept
            dh = round % 10 == 0 ? sh : dh;
            break;
        case 1:
            dh = sh;
            break;
        default:
            break;
        }
        if (dw > 30 && dh > 30) {
            dh = 1 + dh % 9;
        }
        const Picture src = randomPicture(random, sw, sh, format);
        const Picture actual = resamplePicture(src, dw, dh, static_cast<TResampleFilter>(filter));
        const Picture expected = reference(src, dw, dh, filter);
        expectSamePixels(expected, actual, describe(src, dw, dh, filter));
        if (HasFatalFailure() || HasNonfatalFailure()) {
            return;
        }
    }
}

std::string filterName(const ::testing::TestParamInfo<int>& info) {
    const char* names[] = {"None",     "Triangle", "Hermite", "Bell",   "BSpline",
                           "Lanczos3", "Mitchell", "Nearest", "Linear", "FastLinear"};
    return names[info.param];
}

INSTANTIATE_TEST_SUITE_P(EveryFilter, ResampleMatchesReference, ::testing::Range(0, 10),
                         filterName);

// Larger photographs-like cases with the sizes the gallery uses, on a few filters.
TEST(ResampleMatchesReferenceAtGallerySizes, ReductionsAndEnlargements) {
    std::mt19937 random(99);
    const std::pair<int, int> sizes[][2] = {
        {{160, 120}, {64, 48}}, {{97, 61}, {200, 126}}, {{300, 20}, {45, 3}}, {{1100, 3}, {2, 3}}};
    for (const auto& size : sizes) {
        for (const int filter : {1, 4, 5, 6, 9}) {
            for (const auto format : {PixelFormat::Rgb24, PixelFormat::Bilevel}) {
                const Picture src = randomPicture(random, size[0].first, size[0].second, format);
                const int dw = size[1].first;
                const int dh = size[1].second;
                const Picture actual =
                    resamplePicture(src, dw, dh, static_cast<TResampleFilter>(filter));
                expectSamePixels(reference(src, dw, dh, filter), actual,
                                 describe(src, dw, dh, filter));
            }
        }
    }
}

} // namespace
} // namespace fotoplex
