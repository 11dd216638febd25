#include "engine/Exif.h"

#include <cmath>
#include <cstring>

namespace fotoplex {

namespace {

constexpr std::uint16_t kTagXResolution = 0x011A;
constexpr std::uint16_t kTagYResolution = 0x011B;
constexpr std::uint16_t kTagResolutionUnit = 0x0128;
constexpr std::uint16_t kTypeShort = 3;
constexpr std::uint16_t kTypeRational = 5;
constexpr std::size_t kEntrySize = 12;

// Reads integers of the TIFF structure in its byte order; every read is bounds-checked.
class TiffCursor {
public:
    TiffCursor(std::span<const std::uint8_t> data, bool bigEndian)
        : data_(data), bigEndian_(bigEndian) {}

    std::size_t size() const { return data_.size(); }

    std::optional<std::uint16_t> u16(std::size_t offset) const {
        if (offset > data_.size() || data_.size() - offset < 2) {
            return std::nullopt;
        }
        const std::uint8_t a = data_[offset];
        const std::uint8_t b = data_[offset + 1];
        return static_cast<std::uint16_t>(bigEndian_ ? (a << 8) | b : (b << 8) | a);
    }

    std::optional<std::uint32_t> u32(std::size_t offset) const {
        const auto high = u16(bigEndian_ ? offset : offset + 2);
        const auto low = u16(bigEndian_ ? offset + 2 : offset);
        if (!high || !low || offset + 4 > data_.size()) {
            return std::nullopt;
        }
        return (std::uint32_t{*high} << 16) | *low;
    }

private:
    std::span<const std::uint8_t> data_;
    bool bigEndian_;
};

std::optional<double> readRational(const TiffCursor& tiff, std::size_t entry) {
    const auto type = tiff.u16(entry + 2);
    const auto count = tiff.u32(entry + 4);
    const auto offset = tiff.u32(entry + 8);
    if (!type || *type != kTypeRational || !count || *count < 1 || !offset) {
        return std::nullopt;
    }
    const auto numerator = tiff.u32(*offset);
    const auto denominator = tiff.u32(std::size_t{*offset} + 4);
    if (!numerator || !denominator || *denominator == 0) {
        return std::nullopt;
    }
    return static_cast<double>(*numerator) / static_cast<double>(*denominator);
}

std::optional<std::uint16_t> readShort(const TiffCursor& tiff, std::size_t entry) {
    const auto type = tiff.u16(entry + 2);
    const auto count = tiff.u32(entry + 4);
    if (!type || *type != kTypeShort || !count || *count < 1) {
        return std::nullopt;
    }
    return tiff.u16(entry + 8); // a single short sits in the value field itself
}

} // namespace

std::optional<ExifResolution> readExifResolution(std::span<const std::uint8_t> app1) {
    static constexpr std::uint8_t kExifId[6] = {'E', 'x', 'i', 'f', 0, 0};
    if (app1.size() < sizeof kExifId + 8 ||
        std::memcmp(app1.data(), kExifId, sizeof kExifId) != 0) {
        return std::nullopt;
    }
    const auto body = app1.subspan(sizeof kExifId);
    bool bigEndian = false;
    if (body[0] == 'M' && body[1] == 'M') {
        bigEndian = true;
    } else if (!(body[0] == 'I' && body[1] == 'I')) {
        return std::nullopt;
    }
    const TiffCursor tiff(body, bigEndian);
    const auto magic = tiff.u16(2);
    const auto ifdOffset = tiff.u32(4);
    if (!magic || *magic != 42 || !ifdOffset) {
        return std::nullopt;
    }
    const auto entryCount = tiff.u16(*ifdOffset);
    if (!entryCount) {
        return std::nullopt;
    }
    const std::size_t firstEntry = std::size_t{*ifdOffset} + 2;
    std::optional<double> x;
    std::optional<double> y;
    std::uint16_t unit = 2;
    for (std::size_t i = 0; i < *entryCount; ++i) {
        const std::size_t entry = firstEntry + i * kEntrySize;
        if (entry + kEntrySize > tiff.size()) {
            break; // a count larger than the block: keep what fitted
        }
        const auto tag = tiff.u16(entry);
        if (tag == kTagXResolution) {
            x = readRational(tiff, entry);
        } else if (tag == kTagYResolution) {
            y = readRational(tiff, entry);
        } else if (tag == kTagResolutionUnit) {
            unit = readShort(tiff, entry).value_or(unit);
        }
    }
    if (!x) {
        return std::nullopt;
    }
    return ExifResolution{*x, y.value_or(*x), unit};
}

std::int32_t exifDotsPerInch(double value, std::uint16_t unit) {
    const double dpi = unit == 3 ? value * 2.54 : value;
    if (!(dpi >= 0) || dpi > 1e9) {
        return 0;
    }
    return static_cast<std::int32_t>(std::lround(dpi));
}

} // namespace fotoplex
