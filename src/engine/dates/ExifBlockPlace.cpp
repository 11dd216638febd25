#include "engine/dates/ExifBlockPlace.h"

#include "engine/BytePrefix.h"
#include "engine/TiffStructure.h"

#include <algorithm>

namespace fotoplex {

namespace {

// Enough markers, chunks or boxes for any real file; a file that has more gives no date.
constexpr int kMaxSteps = 512;

std::uint32_t bigEndian32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           p[3];
}

std::uint32_t littleEndian32(const std::uint8_t* p) {
    return (std::uint32_t{p[3]} << 24) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) |
           p[0];
}

// The APP1 segment that starts with "Exif\0\0", before the first scan.
std::optional<ExifBlock> locateJpegExif(BoundedFile& file) {
    std::uint64_t position = 2;
    for (int step = 0; step < kMaxSteps; ++step) {
        const auto head = file.read(position, 4);
        if (!head || (*head)[0] != 0xFF) {
            return std::nullopt;
        }
        const std::uint8_t marker = (*head)[1];
        if (marker == 0xFF) { // a fill byte before the marker
            ++position;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) {
            return std::nullopt;
        }
        const std::uint32_t length = (std::uint32_t{(*head)[2]} << 8) | (*head)[3];
        if (length < 2) {
            return std::nullopt;
        }
        if (marker == 0xE1 && length >= 2 + kExifIdentifier.size()) {
            const auto identifier = file.read(position + 4, kExifIdentifier.size());
            if (identifier &&
                std::equal(identifier->begin(), identifier->end(), kExifIdentifier.begin())) {
                return ExifBlock::inFile(file, position + 4, length - 2);
            }
        }
        position += 2 + length;
    }
    return std::nullopt;
}

// The eXIf chunk. Chunks are walked by their headers alone, past the image data too, since
// the chunk may follow it.
std::optional<ExifBlock> locatePngExif(BoundedFile& file) {
    std::uint64_t position = 8;
    for (int step = 0; step < kMaxSteps; ++step) {
        const auto head = file.read(position, 8);
        if (!head) {
            return std::nullopt;
        }
        const std::uint32_t length = bigEndian32(head->data());
        if (bytesAt(*head, 4, "eXIf", 4)) {
            return ExifBlock::inFile(file, position + 8, length);
        }
        if (bytesAt(*head, 4, "IEND", 4)) {
            return std::nullopt;
        }
        position += 12 + std::uint64_t{length};
    }
    return std::nullopt;
}

// The EXIF chunk of a RIFF WebP file; chunks are padded to an even length.
std::optional<ExifBlock> locateWebpExif(BoundedFile& file) {
    std::uint64_t position = 12;
    for (int step = 0; step < kMaxSteps; ++step) {
        const auto head = file.read(position, 8);
        if (!head) {
            return std::nullopt;
        }
        const std::uint32_t length = littleEndian32(head->data() + 4);
        if (bytesAt(*head, 0, "EXIF", 4)) {
            return ExifBlock::inFile(file, position + 8, length);
        }
        position += 8 + std::uint64_t{length} + (length & 1U);
    }
    return std::nullopt;
}

} // namespace

std::optional<std::vector<std::uint8_t>> ExifBlock::read(std::uint64_t offset,
                                                         std::size_t count) const {
    if (offset > length_ || length_ - offset < count) {
        return std::nullopt;
    }
    if (file_) {
        return file_->read(offset_ + offset, count);
    }
    const auto first = bytes_.begin() + static_cast<std::ptrdiff_t>(offset);
    return std::vector<std::uint8_t>(first, first + static_cast<std::ptrdiff_t>(count));
}

ExifBlock ExifBlock::tail(std::uint64_t skipped) const {
    skipped = std::min(skipped, length_);
    if (file_) {
        return ExifBlock(file_, offset_ + skipped, length_ - skipped, {});
    }
    return held({bytes_.begin() + static_cast<std::ptrdiff_t>(skipped), bytes_.end()});
}

std::optional<ExifBlock> locateExifBlock(BoundedFile& file) {
    const auto lead = file.read(0, std::min<std::uint64_t>(file.size(), 16));
    if (!lead || lead->size() < 12) {
        return std::nullopt;
    }
    const std::vector<std::uint8_t>& b = *lead;
    if (b[0] == 0xFF && b[1] == 0xD8) {
        return locateJpegExif(file);
    }
    if (bytesAt(b, 0, "II*", 3) || bytesAt(b, 0, "MM", 2)) {
        return ExifBlock::inFile(file, 0, file.size());
    }
    if (bytesAt(b, 0, "\x89PNG\r\n\x1a\n", 8)) {
        return locatePngExif(file);
    }
    if (bytesAt(b, 0, "RIFF", 4) && bytesAt(b, 8, "WEBP", 4)) {
        return locateWebpExif(file);
    }
    if (bytesAt(b, 4, "ftyp", 4)) {
        return locateHeifExif(file);
    }
    return std::nullopt;
}

} // namespace fotoplex
