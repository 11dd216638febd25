#include "engine/tiff/TiffSamples.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

namespace fotoplex {

namespace {

std::uint16_t field16(TIFF* tiff, ttag_t tag) {
    std::uint16_t value = 0;
    TIFFGetFieldDefaulted(tiff, tag, &value);
    return value;
}

struct Layout {
    std::uint16_t bits = 0;
    std::uint16_t samples = 0;
    std::uint16_t format = SAMPLEFORMAT_UINT;
    std::uint16_t photometric = 0;
    std::uint16_t inkSet = INKSET_CMYK;
    std::uint16_t extras = 0;                          // samples after the colour ones
    std::uint16_t extraKind = EXTRASAMPLE_UNSPECIFIED; // of the first of them
    bool separate = false;
};

Layout layoutOf(TIFF* tiff) {
    Layout l;
    l.bits = field16(tiff, TIFFTAG_BITSPERSAMPLE);
    l.samples = field16(tiff, TIFFTAG_SAMPLESPERPIXEL);
    l.format = field16(tiff, TIFFTAG_SAMPLEFORMAT);
    l.photometric = field16(tiff, TIFFTAG_PHOTOMETRIC);
    l.inkSet = field16(tiff, TIFFTAG_INKSET);
    l.separate = field16(tiff, TIFFTAG_PLANARCONFIG) == PLANARCONFIG_SEPARATE;
    std::uint16_t count = 0;
    const std::uint16_t* kinds = nullptr;
    if (TIFFGetFieldDefaulted(tiff, TIFFTAG_EXTRASAMPLES, &count, &kinds) == 1) {
        l.extras = count;
        l.extraKind = count > 0 && kinds != nullptr ? kinds[0] : EXTRASAMPLE_UNSPECIFIED;
    }
    return l;
}

bool isGrey(const Layout& l) {
    return (l.photometric == PHOTOMETRIC_MINISBLACK || l.photometric == PHOTOMETRIC_MINISWHITE) &&
           l.samples == 1;
}

// Turns stored samples into 8-bit values.
class SampleScale {
public:
    SampleScale(TIFF* tiff, const Layout& l) : layout_(l) {
        if (l.format == SAMPLEFORMAT_IEEEFP) {
            double low = 0;
            double high = 1;
            // A file may state its own range; only a usable one is taken.
            if (TIFFGetField(tiff, TIFFTAG_SMINSAMPLEVALUE, &low) != 1 ||
                TIFFGetField(tiff, TIFFTAG_SMAXSAMPLEVALUE, &high) != 1 || !(high > low) ||
                !std::isfinite(low) || !std::isfinite(high)) {
                low = 0;
                high = 1;
            }
            low_ = low;
            high_ = high;
        } else {
            high_ = std::ldexp(1.0, l.bits) - 1;
        }
    }

    // Sample `index` of a row of samples in their stored form.
    std::uint8_t at(const std::uint8_t* row, std::size_t index) const {
        return toByte(raw(row, index));
    }

private:
    double raw(const std::uint8_t* row, std::size_t index) const {
        switch (layout_.bits) {
        case 8:
            return row[index];
        case 12: { // packed, most significant bits first
            const std::size_t bit = index * 12;
            const unsigned pair = (row[bit / 8] << 8) | row[bit / 8 + 1];
            return (bit % 8 == 0) ? (pair >> 4) : (pair & 0x0FFF);
        }
        case 16: {
            std::uint16_t v = 0;
            std::memcpy(&v, row + 2 * index, 2);
            return v;
        }
        default: {
            if (layout_.format == SAMPLEFORMAT_IEEEFP) {
                float f = 0;
                std::memcpy(&f, row + 4 * index, 4);
                return f;
            }
            std::uint32_t v = 0;
            std::memcpy(&v, row + 4 * index, 4);
            return v;
        }
        }
    }

    std::uint8_t toByte(double v) const {
        if (!(v > low_)) { // also NaN
            return 0;
        }
        const double scaled = (std::min(v, high_) - low_) / (high_ - low_) * 255.0;
        return static_cast<std::uint8_t>(std::lround(scaled));
    }

    Layout layout_;
    double low_ = 0;
    double high_ = 1;
};

// The scan line layout libtiff reports must match what the samples need.
bool scanlineFits(TIFF* tiff, const Layout& l, std::uint32_t width) {
    const std::uint64_t perPixel = l.separate ? 1 : l.samples;
    const std::uint64_t needed = (std::uint64_t{width} * perPixel * l.bits + 7) / 8;
    return static_cast<std::uint64_t>(TIFFScanlineSize64(tiff)) >= needed;
}

bool isLab(const Layout& l) {
    return l.photometric == PHOTOMETRIC_CIELAB && l.samples == 3 && !l.separate &&
           (l.bits == 8 || l.bits == 16) && l.format == SAMPLEFORMAT_UINT;
}

// sRGB's transfer curve on a linear value, as an 8-bit value.
std::uint8_t encodeSrgb(double linear) {
    linear = std::clamp(linear, 0.0, 1.0);
    const double v =
        linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
    return static_cast<std::uint8_t>(std::lround(v * 255));
}

using Matrix = std::array<std::array<double, 3>, 3>;
using Vector = std::array<double, 3>;

Vector times(const Matrix& m, const Vector& v) {
    return {m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2],
            m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2],
            m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2]};
}

Matrix times(const Matrix& a, const Matrix& b) {
    Matrix m{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k)
                m[i][j] += a[i][k] * b[k][j];
    return m;
}

constexpr Matrix kBradford = {
    {{0.8951, 0.2664, -0.1614}, {-0.7502, 1.7135, 0.0367}, {0.0389, -0.0685, 1.0296}}};
constexpr Matrix kBradfordInverse = {{{0.9869929, -0.1470543, 0.1599627},
                                      {0.4323053, 0.5183603, 0.0492912},
                                      {-0.0085287, 0.0400428, 0.9684867}}};
constexpr Matrix kXyzToLinearSrgb = {{{3.2404542, -1.5371385, -0.4985314},
                                      {-0.9692660, 1.8760108, 0.0415560},
                                      {0.0556434, -0.2040259, 1.0572252}}};
constexpr Vector kD65 = {0.95047, 1.0, 1.08883};

// CIELab relative to the file's white point (D50 unless its WhitePoint tag says otherwise)
// to sRGB: to XYZ, adapted to sRGB's D65 white (Bradford), then sRGB's primaries and curve.
class LabToSrgb {
public:
    explicit LabToSrgb(TIFF* tiff) {
        float* chromaticity = nullptr;
        double x = 0.3457; // D50
        double y = 0.3585;
        if (TIFFGetField(tiff, TIFFTAG_WHITEPOINT, &chromaticity) == 1 && chromaticity != nullptr &&
            chromaticity[0] > 0 && chromaticity[1] > 0 && chromaticity[0] + chromaticity[1] < 1) {
            x = chromaticity[0];
            y = chromaticity[1];
        }
        white_ = {x / y, 1.0, (1 - x - y) / y};
        const Vector from = times(kBradford, white_);
        const Vector to = times(kBradford, kD65);
        const Matrix scale = {
            {{to[0] / from[0], 0, 0}, {0, to[1] / from[1], 0}, {0, 0, to[2] / from[2]}}};
        toSrgb_ = times(kXyzToLinearSrgb, times(kBradfordInverse, times(scale, kBradford)));
    }

    void operator()(double l, double a, double b, std::uint8_t* rgb) const {
        const auto inverse = [](double t) {
            return t > 6.0 / 29 ? t * t * t : 3 * (6.0 / 29) * (6.0 / 29) * (t - 4.0 / 29);
        };
        const double fy = (l + 16) / 116;
        const Vector xyz = {white_[0] * inverse(fy + a / 500), inverse(fy),
                            white_[2] * inverse(fy - b / 200)};
        const Vector linear = times(toSrgb_, xyz);
        for (int c = 0; c < 3; ++c) {
            rgb[c] = encodeSrgb(linear[static_cast<std::size_t>(c)]);
        }
    }

private:
    Vector white_{};
    Matrix toSrgb_{};
};

// One row of 8 or 16-bit CIELab: L from 0 to 100, a and b signed.
void labRow(const LabToSrgb& convert, const std::uint8_t* in, std::uint32_t width, bool wide,
            std::uint8_t* out) {
    for (std::uint32_t x = 0; x < width; ++x, out += 3) {
        if (wide) {
            std::uint16_t v[3];
            std::memcpy(v, in + 6 * std::size_t{x}, 6);
            convert(v[0] * 100.0 / 65535, static_cast<std::int16_t>(v[1]) / 256.0,
                    static_cast<std::int16_t>(v[2]) / 256.0, out);
        } else {
            const std::uint8_t* p = in + 3 * std::size_t{x};
            convert(p[0] * 100.0 / 255, static_cast<std::int8_t>(p[1]),
                    static_cast<std::int8_t>(p[2]), out);
        }
    }
}

// One extra sample, unassociated alpha.
bool hasAlpha(const Layout& l) {
    return l.extras == 1 && l.extraKind == EXTRASAMPLE_UNASSALPHA;
}

// Four CMYK inks of 8 or 16 bits, and perhaps one extra sample.
bool isCmyk(const Layout& l) {
    return l.photometric == PHOTOMETRIC_SEPARATED && l.inkSet == INKSET_CMYK &&
           l.format == SAMPLEFORMAT_UINT && (l.bits == 8 || l.bits == 16) && l.extras <= 1 &&
           l.samples == 4 + l.extras;
}

// libtiff's conversion takes 8-bit inks only, and drops their alpha. An associated
// (premultiplied) alpha has no agreed meaning for inks: such a file stays with libtiff.
bool isOwnCmyk(TIFF* tiff, const Layout& l) {
    if (!isCmyk(l) || TIFFIsTiled(tiff) != 0 ||
        field16(tiff, TIFFTAG_ORIENTATION) != ORIENTATION_TOPLEFT) {
        return false;
    }
    return hasAlpha(l) || (l.bits == 16 && l.extraKind != EXTRASAMPLE_ASSOCALPHA);
}

// The 8-bit samples of a CMYK picture while it is read: C, M and Y in the colour bytes they
// turn into, K in a plane of its own, an alpha sample in the picture's alpha. An extra sample
// that is not alpha is dropped.
class InkPlanes {
public:
    InkPlanes(Picture& picture, bool alpha)
        : picture_(picture), width_(static_cast<std::size_t>(picture.width)),
          black_(width_ * static_cast<std::size_t>(picture.height)) {
        if (alpha) {
            picture_.alpha.assign(black_.size(), 255);
        }
    }

    void put(std::size_t sample, std::size_t x, std::int32_t y, std::uint8_t value) {
        const std::size_t at = static_cast<std::size_t>(y) * width_ + x;
        if (sample < 3) {
            picture_.row(y)[3 * x + sample] = value;
        } else if (sample == 3) {
            black_[at] = value;
        } else if (!picture_.alpha.empty()) {
            picture_.alpha[at] = value;
        }
    }

    // The first `rows` rows become RGB as libtiff turns 8-bit CMYK: each colour is
    // (255 - ink) * (255 - K) / 255, cut down. The rows after them go black.
    void finish(std::int32_t rows) {
        for (std::int32_t y = 0; y < picture_.height; ++y) {
            std::uint8_t* rgb = picture_.row(y);
            if (y >= rows) {
                std::fill(rgb, rgb + 3 * width_, 0);
                continue;
            }
            const std::uint8_t* black = black_.data() + static_cast<std::size_t>(y) * width_;
            for (std::size_t x = 0; x < width_; ++x, rgb += 3) {
                const unsigned k = 255u - black[x];
                for (std::size_t c = 0; c < 3; ++c) {
                    rgb[c] = static_cast<std::uint8_t>(k * (255u - rgb[c]) / 255u);
                }
            }
        }
    }

private:
    Picture& picture_;
    std::size_t width_;
    std::vector<std::uint8_t> black_;
};

// Reads the inks (and alpha) row by row, plane after plane when they are separate, every
// sample rounded to the nearest 8-bit value. A row that is not whole in every plane stays black.
DecodeResult readCmyk(TIFF* tiff, const Layout& l, Picture& picture) {
    const SampleScale scale(tiff, l);
    InkPlanes inks(picture, hasAlpha(l));
    const std::size_t used = hasAlpha(l) ? 5 : 4;
    const std::size_t planes = l.separate ? used : 1;
    const std::size_t perPixel = l.separate ? 1 : l.samples; // stored in a line
    const std::size_t taken = l.separate ? 1 : used;         // of them
    const auto width = static_cast<std::size_t>(picture.width);
    std::vector<std::uint8_t> line(static_cast<std::size_t>(TIFFScanlineSize64(tiff)));
    std::int32_t rows = picture.height;
    for (std::size_t plane = 0; plane < planes; ++plane) {
        for (std::int32_t y = 0; y < rows; ++y) {
            if (TIFFReadScanline(tiff, line.data(), static_cast<std::uint32_t>(y),
                                 static_cast<std::uint16_t>(plane)) < 0) {
                rows = y;
                break;
            }
            for (std::size_t x = 0; x < width; ++x) {
                for (std::size_t s = 0; s < taken; ++s) {
                    inks.put(plane + s, x, y, scale.at(line.data(), x * perPixel + s));
                }
            }
        }
    }
    inks.finish(rows);
    if (rows < picture.height) {
        return {DecodeStatus::Incomplete, "TIFF: damaged data"};
    }
    return {DecodeStatus::Complete, {}};
}

} // namespace

bool readsOwnSamples(TIFF* tiff) {
    const Layout l = layoutOf(tiff);
    if (isCmyk(l)) {
        return isOwnCmyk(tiff, l);
    }
    if (isLab(l)) {
        return TIFFIsTiled(tiff) == 0 && field16(tiff, TIFFTAG_ORIENTATION) == ORIENTATION_TOPLEFT;
    }
    const bool rgb = l.photometric == PHOTOMETRIC_RGB && l.samples == 3;
    if (TIFFIsTiled(tiff) != 0 || field16(tiff, TIFFTAG_ORIENTATION) != ORIENTATION_TOPLEFT ||
        (!isGrey(l) && !rgb)) {
        return false;
    }
    if (l.format == SAMPLEFORMAT_IEEEFP) {
        return l.bits == 32;
    }
    if (l.format != SAMPLEFORMAT_UINT) {
        return false;
    }
    // 16-bit RGB is rounded by libtiff already; 16-bit grey is cut there.
    return l.bits == 12 || l.bits == 32 || (l.bits == 16 && isGrey(l));
}

DecodeResult readOwnSamples(TIFF* tiff, Picture& picture) {
    const Layout l = layoutOf(tiff);
    const auto width = static_cast<std::uint32_t>(picture.width);
    if (!scanlineFits(tiff, l, width)) {
        return {DecodeStatus::Failed, "TIFF: unexpected scan line layout"};
    }
    if (isCmyk(l)) {
        return readCmyk(tiff, l, picture);
    }
    if (isLab(l)) {
        const LabToSrgb convert(tiff);
        std::vector<std::uint8_t> line(static_cast<std::size_t>(TIFFScanlineSize64(tiff)));
        for (std::int32_t y = 0; y < picture.height; ++y) {
            if (TIFFReadScanline(tiff, line.data(), static_cast<std::uint32_t>(y), 0) < 0) {
                return {DecodeStatus::Incomplete, "TIFF: damaged data"};
            }
            labRow(convert, line.data(), width, l.bits == 16, picture.row(y));
        }
        return {DecodeStatus::Complete, {}};
    }
    const SampleScale scale(tiff, l);
    const bool invert = l.photometric == PHOTOMETRIC_MINISWHITE;
    const std::uint16_t planes = l.separate ? l.samples : 1;
    std::vector<std::uint8_t> line(static_cast<std::size_t>(TIFFScanlineSize64(tiff)) + 2);
    for (std::uint16_t plane = 0; plane < planes; ++plane) {
        for (std::int32_t y = 0; y < picture.height; ++y) {
            if (TIFFReadScanline(tiff, line.data(), static_cast<std::uint32_t>(y), plane) < 0) {
                return {DecodeStatus::Incomplete, "TIFF: damaged data"};
            }
            std::uint8_t* out = picture.row(y);
            for (std::uint32_t x = 0; x < width; ++x) {
                if (l.samples == 1) {
                    const std::uint8_t v = scale.at(line.data(), x);
                    out[3 * x] = out[3 * x + 1] = out[3 * x + 2] = invert ? 255 - v : v;
                } else if (l.separate) {
                    out[3 * x + plane] = scale.at(line.data(), x);
                } else {
                    for (std::size_t c = 0; c < 3; ++c) {
                        out[3 * x + c] = scale.at(line.data(), 3 * std::size_t{x} + c);
                    }
                }
            }
        }
    }
    return {DecodeStatus::Complete, {}};
}

} // namespace fotoplex
