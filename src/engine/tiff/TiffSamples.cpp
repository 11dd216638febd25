#include "engine/tiff/TiffSamples.h"

#include <algorithm>
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
    bool separate = false;
};

Layout layoutOf(TIFF* tiff) {
    Layout l;
    l.bits = field16(tiff, TIFFTAG_BITSPERSAMPLE);
    l.samples = field16(tiff, TIFFTAG_SAMPLESPERPIXEL);
    l.format = field16(tiff, TIFFTAG_SAMPLEFORMAT);
    l.photometric = field16(tiff, TIFFTAG_PHOTOMETRIC);
    l.separate = field16(tiff, TIFFTAG_PLANARCONFIG) == PLANARCONFIG_SEPARATE;
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

} // namespace

bool readsOwnSamples(TIFF* tiff) {
    const Layout l = layoutOf(tiff);
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
