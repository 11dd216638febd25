#include "engine/dates/ExifDates.h"

#include "engine/TiffStructure.h"

#include <algorithm>

namespace fotoplex {

namespace {

constexpr std::uint16_t kDateTime = 0x0132;
constexpr std::uint16_t kExifIfdPointer = 0x8769;
constexpr std::uint16_t kDateTimeOriginal = 0x9003;
constexpr std::uint16_t kDateTimeDigitized = 0x9004;
constexpr std::uint16_t kOffsetTime = 0x9010;
constexpr std::uint16_t kOffsetTimeOriginal = 0x9011;
constexpr std::uint16_t kOffsetTimeDigitized = 0x9012;

constexpr std::uint16_t kAscii = 2;
constexpr std::uint16_t kLong = 4;
constexpr std::uint16_t kIfd = 13;

// More entries than any real IFD holds; a longer table is read only this far.
constexpr std::uint16_t kMaxEntries = 1024;
// A date is 20 bytes, an offset 7; anything longer is no date.
constexpr std::uint32_t kMaxText = 64;

struct Ifd {
    const ExifBlock& block;
    std::uint64_t base; // where the TIFF structure starts in the block
    bool bigEndian;
};

struct Entry {
    std::uint16_t tag = 0;
    std::uint16_t type = 0;
    std::uint32_t count = 0;
    std::uint32_t value = 0; // the value itself, or its offset
    std::uint8_t inline_[4] = {};
};

std::vector<Entry> readEntries(const Ifd& ifd, std::uint32_t offset) {
    const auto countBytes = ifd.block.read(ifd.base + offset, 2);
    if (!countBytes) {
        return {};
    }
    const std::uint16_t count =
        std::min(*TiffCursor(*countBytes, ifd.bigEndian).u16(0), kMaxEntries);
    // A table cut by the block's end gives the entries that fit.
    const std::uint64_t available =
        ifd.block.length() - std::min<std::uint64_t>(ifd.block.length(), ifd.base + offset + 2);
    const std::size_t fitting =
        static_cast<std::size_t>(std::min<std::uint64_t>(count, available / 12));
    const auto table = ifd.block.read(ifd.base + offset + 2, fitting * 12);
    if (!table) {
        return {};
    }
    const TiffCursor cursor(*table, ifd.bigEndian);
    std::vector<Entry> entries(fitting);
    for (std::size_t i = 0; i < fitting; ++i) {
        Entry& e = entries[i];
        e.tag = *cursor.u16(i * 12);
        e.type = *cursor.u16(i * 12 + 2);
        e.count = *cursor.u32(i * 12 + 4);
        e.value = *cursor.u32(i * 12 + 8);
        std::copy_n(table->begin() + static_cast<std::ptrdiff_t>(i * 12 + 8), 4, e.inline_);
    }
    return entries;
}

// An ASCII value up to its first NUL; empty when it is no text or does not fit.
std::string text(const Ifd& ifd, const Entry& e) {
    if (e.type != kAscii || e.count == 0 || e.count > kMaxText) {
        return {};
    }
    std::string value;
    if (e.count <= 4) {
        value.assign(e.inline_, e.inline_ + e.count);
    } else {
        const auto bytes = ifd.block.read(ifd.base + e.value, e.count);
        if (!bytes) {
            return {};
        }
        value.assign(bytes->begin(), bytes->end());
    }
    return value.substr(0, value.find('\0'));
}

const Entry* find(const std::vector<Entry>& entries, std::uint16_t tag) {
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [tag](const Entry& e) { return e.tag == tag; });
    return found == entries.end() ? nullptr : &*found;
}

std::string textOf(const Ifd& ifd, const std::vector<Entry>& entries, std::uint16_t tag) {
    const Entry* e = find(entries, tag);
    return e ? text(ifd, *e) : std::string();
}

} // namespace

std::optional<ExifDates> readExifDates(const ExifBlock& block) {
    const auto head = block.read(0, static_cast<std::size_t>(std::min<std::uint64_t>(
                                        block.length(), kExifIdentifier.size() + 8)));
    if (!head) {
        return std::nullopt;
    }
    const auto tiff = locateTiff(*head, true);
    if (!tiff) {
        return std::nullopt;
    }
    const Ifd ifd{block, tiff->skipped, tiff->bigEndian};
    const std::vector<Entry> ifd0 = readEntries(ifd, static_cast<std::uint32_t>(tiff->ifd0));
    ExifDates dates;
    dates.modified = textOf(ifd, ifd0, kDateTime);
    dates.modifiedOffset = textOf(ifd, ifd0, kOffsetTime);
    const Entry* pointer = find(ifd0, kExifIfdPointer);
    if (pointer && (pointer->type == kLong || pointer->type == kIfd) && pointer->count == 1) {
        const std::vector<Entry> exif = readEntries(ifd, pointer->value);
        dates.original = textOf(ifd, exif, kDateTimeOriginal);
        dates.originalOffset = textOf(ifd, exif, kOffsetTimeOriginal);
        dates.digitized = textOf(ifd, exif, kDateTimeDigitized);
        dates.digitizedOffset = textOf(ifd, exif, kOffsetTimeDigitized);
        if (dates.modifiedOffset.empty()) {
            dates.modifiedOffset = textOf(ifd, exif, kOffsetTime);
        }
    }
    return dates;
}

std::optional<ExifDates> readExifDatesOfFile(const std::string& path) {
    BoundedFile file(path);
    if (!file.isOpen()) {
        return std::nullopt;
    }
    const auto block = locateExifBlock(file);
    return block ? readExifDates(*block) : std::nullopt;
}

} // namespace fotoplex
