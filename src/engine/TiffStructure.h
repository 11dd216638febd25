#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

// The TIFF structure inside an EXIF block: one place that finds it and reads its integers,
// for every part of the engine that reads or edits EXIF.
namespace fotoplex {

inline constexpr std::array<std::uint8_t, 6> kExifIdentifier = {'E', 'x', 'i', 'f', 0, 0};

// True when `block` begins with the EXIF identifier.
inline bool hasExifIdentifier(std::span<const std::uint8_t> block) {
    return block.size() >= kExifIdentifier.size() &&
           std::equal(kExifIdentifier.begin(), kExifIdentifier.end(), block.begin());
}

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

// The TIFF structure of an EXIF block and where its IFD0 starts.
struct TiffBody {
    std::span<const std::uint8_t> bytes;
    std::size_t skipped = 0; // bytes before the structure in the block ("Exif\0\0")
    bool bigEndian = false;
    std::size_t ifd0 = 0;
};

// Finds the TIFF header of an EXIF block ("Exif\0\0" and the structure); with `bareAllowed`
// also a block that starts with the byte order mark (a PNG eXIf chunk or a WebP EXIF chunk).
std::optional<TiffBody> locateTiff(std::span<const std::uint8_t> block, bool bareAllowed);

} // namespace fotoplex
