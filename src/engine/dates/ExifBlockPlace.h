#pragma once

#include "engine/dates/BoundedFile.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace fotoplex {

// Where a picture file keeps its EXIF block: a region of the file, or (for a HEIF item stored
// inside the metadata box) the block's bytes themselves. The block may begin with "Exif\0\0"
// or directly with the TIFF structure's byte order mark.
class ExifBlock {
public:
    static ExifBlock inFile(BoundedFile& file, std::uint64_t offset, std::uint64_t length) {
        return ExifBlock(&file, offset, length, {});
    }
    static ExifBlock held(std::vector<std::uint8_t> bytes) {
        const auto length = bytes.size();
        return ExifBlock(nullptr, 0, length, std::move(bytes));
    }

    std::uint64_t length() const { return length_; }
    // The block without its first `skipped` bytes (at most its length).
    ExifBlock tail(std::uint64_t skipped) const;

    // `count` bytes at `offset` within the block; nothing past its end.
    std::optional<std::vector<std::uint8_t>> read(std::uint64_t offset, std::size_t count) const;

private:
    ExifBlock(BoundedFile* file, std::uint64_t offset, std::uint64_t length,
              std::vector<std::uint8_t> bytes)
        : file_(file), offset_(offset), length_(length), bytes_(std::move(bytes)) {}

    BoundedFile* file_;
    std::uint64_t offset_;
    std::uint64_t length_;
    std::vector<std::uint8_t> bytes_;
};

// Finds the EXIF block of a JPEG (APP1 before the first scan), TIFF (the file itself), PNG
// (the eXIf chunk), WebP (the EXIF chunk) or HEIF/AVIF file (the Exif item), by the file's
// leading bytes. Only the markers, chunk and box headers on the way are read.
std::optional<ExifBlock> locateExifBlock(BoundedFile& file);

// The HEIF part, on the file's top-level boxes.
std::optional<ExifBlock> locateHeifExif(BoundedFile& file);

} // namespace fotoplex
