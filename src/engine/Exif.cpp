#include "engine/Exif.h"

#include "engine/TiffStructure.h"

#include <array>
#include <cmath>
#include <vector>

namespace fotoplex {

namespace {

constexpr std::uint16_t kTagXResolution = 0x011A;
constexpr std::uint16_t kTagYResolution = 0x011B;
constexpr std::uint16_t kTagResolutionUnit = 0x0128;
constexpr std::uint16_t kTagOrientation = 0x0112;
constexpr std::uint16_t kTypeShort = 3;
constexpr std::uint16_t kTypeRational = 5;
constexpr std::size_t kEntrySize = 12;

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

// Where the Orientation entries of IFD0 keep their value, as offsets into the whole block,
// and the value they state. No result for a damaged block or one without the entry.
struct OrientationEntries {
    std::uint16_t value = 0;
    bool bigEndian = false;
    std::vector<std::size_t> valueOffsets;
};

std::optional<OrientationEntries> findOrientation(std::span<const std::uint8_t> block) {
    const auto t = locateTiff(block, true);
    if (!t) {
        return std::nullopt;
    }
    const TiffCursor tiff(t->bytes, t->bigEndian);
    const auto entryCount = tiff.u16(t->ifd0);
    if (!entryCount || (tiff.size() - t->ifd0 - 2) / kEntrySize < *entryCount) {
        return std::nullopt; // the table must fit whole before anything is trusted or written
    }
    OrientationEntries found;
    for (std::size_t i = 0; i < *entryCount; ++i) {
        const std::size_t entry = t->ifd0 + 2 + i * kEntrySize;
        if (tiff.u16(entry) != kTagOrientation) {
            continue;
        }
        const auto value = readShort(tiff, entry);
        if (!value || *value < 1 || *value > 8 || tiff.u32(entry + 4) != 1u) {
            return std::nullopt;
        }
        if (found.valueOffsets.empty()) {
            found.value = *value;
        }
        found.valueOffsets.push_back(t->skipped + entry + 8);
    }
    if (found.valueOffsets.empty()) {
        return std::nullopt;
    }
    found.bigEndian = t->bigEndian;
    return found;
}

} // namespace

bool isExifBlock(std::span<const std::uint8_t> app1) {
    return hasExifIdentifier(app1);
}

std::optional<ExifResolution> readExifResolution(std::span<const std::uint8_t> app1) {
    const auto t = locateTiff(app1, false);
    if (!t) {
        return std::nullopt;
    }
    const TiffCursor tiff(t->bytes, t->bigEndian);
    const auto entryCount = tiff.u16(t->ifd0);
    if (!entryCount) {
        return std::nullopt;
    }
    const std::size_t firstEntry = t->ifd0 + 2;
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

std::optional<std::uint16_t> readExifOrientation(std::span<const std::uint8_t> block) {
    const auto found = findOrientation(block);
    if (!found) {
        return std::nullopt;
    }
    return found->value;
}

bool setExifOrientationUpright(std::span<std::uint8_t> block) {
    const auto found = findOrientation(block);
    if (!found) {
        return false;
    }
    for (const std::size_t at : found->valueOffsets) {
        block[at] = found->bigEndian ? 0 : 1;
        block[at + 1] = found->bigEndian ? 1 : 0;
    }
    return true;
}

} // namespace fotoplex
