#include "engine/ExifLocation.h"

#include "engine/TiffStructure.h"

#include <cstring>
#include <optional>
#include <span>

namespace fotoplex {

namespace {

constexpr std::uint16_t kTagGpsIfd = 0x8825;
constexpr std::uint16_t kTagExifIfd = 0x8769;
constexpr std::uint16_t kTagInteropIfd = 0xA005;
constexpr std::uint16_t kTagThumbnailOffset = 0x0201;
constexpr std::uint16_t kTagThumbnailLength = 0x0202;
constexpr std::size_t kEntrySize = 12;
// More IFDs than any camera writes: a loop of next-IFD offsets ends here.
constexpr int kMaxIfds = 16;

struct Range {
    std::size_t begin;
    std::size_t end;
};

// The TIFF structure after the EXIF identifier: read through the engine's cursor, written in
// its byte order. The remover reads places it has checked with fits(); anything else reads 0.
class Tiff {
public:
    Tiff(std::span<std::uint8_t> data, bool bigEndian)
        : data_(data), cursor_(data, bigEndian), bigEndian_(bigEndian) {}

    std::size_t size() const { return data_.size(); }
    bool fits(std::size_t offset, std::size_t count) const {
        return offset <= data_.size() && data_.size() - offset >= count;
    }
    std::uint16_t u16(std::size_t at) const { return cursor_.u16(at).value_or(0); }
    std::uint32_t u32(std::size_t at) const { return cursor_.u32(at).value_or(0); }
    void putU16(std::size_t at, std::uint16_t value) {
        data_[at] = static_cast<std::uint8_t>(bigEndian_ ? value >> 8 : value & 0xFF);
        data_[at + 1] = static_cast<std::uint8_t>(bigEndian_ ? value & 0xFF : value >> 8);
    }
    std::uint8_t* at(std::size_t offset) { return data_.data() + offset; }

private:
    std::span<std::uint8_t> data_;
    TiffCursor cursor_;
    bool bigEndian_;
};

std::size_t typeSize(std::uint16_t type) {
    switch (type) {
    case 1:
    case 2:
    case 6:
    case 7:
        return 1;
    case 3:
    case 8:
        return 2;
    case 4:
    case 9:
    case 11:
    case 13:
        return 4;
    case 5:
    case 10:
    case 12:
        return 8;
    default:
        return 0; // unknown type: its value cannot be located
    }
}

// One IFD: its table and every value stored outside the table.
struct Ifd {
    std::size_t offset = 0;
    std::uint16_t count = 0;
    std::vector<Range> ranges;

    std::size_t entry(std::size_t i) const { return offset + 2 + i * kEntrySize; }
    std::size_t nextOffsetAt() const { return entry(count); }
};

std::optional<Ifd> readIfd(const Tiff& tiff, std::size_t offset) {
    if (!tiff.fits(offset, 2)) {
        return std::nullopt;
    }
    Ifd ifd;
    ifd.offset = offset;
    ifd.count = tiff.u16(offset);
    const std::size_t tableSize = 2 + std::size_t{ifd.count} * kEntrySize + 4;
    if (!tiff.fits(offset, tableSize)) {
        return std::nullopt;
    }
    ifd.ranges.push_back({offset, offset + tableSize});
    for (std::size_t i = 0; i < ifd.count; ++i) {
        const std::size_t e = ifd.entry(i);
        const std::uint64_t bytes = std::uint64_t{typeSize(tiff.u16(e + 2))} * tiff.u32(e + 4);
        if (bytes > 4) {
            const std::size_t value = tiff.u32(e + 8);
            if (bytes > tiff.size() || !tiff.fits(value, static_cast<std::size_t>(bytes))) {
                return std::nullopt;
            }
            ifd.ranges.push_back({value, value + static_cast<std::size_t>(bytes)});
        }
    }
    return ifd;
}

std::optional<std::uint32_t> tagValue(const Tiff& tiff, const Ifd& ifd, std::uint16_t tag) {
    for (std::size_t i = 0; i < ifd.count; ++i) {
        if (tiff.u16(ifd.entry(i)) == tag) {
            return tiff.u32(ifd.entry(i) + 8);
        }
    }
    return std::nullopt;
}

// Every byte range the block uses outside the GPS IFD: the chain of main IFDs, the EXIF and
// interoperability IFDs, the values of all of them and the embedded thumbnail. Nothing when
// any of them does not fit the block.
std::optional<std::vector<Range>> rangesBesidesGps(const Tiff& tiff, std::size_t firstIfd) {
    std::vector<Range> used{{0, 8}};
    std::size_t next = firstIfd;
    for (int n = 0; next != 0 && n < kMaxIfds; ++n) {
        const auto ifd = readIfd(tiff, next);
        if (!ifd) {
            return std::nullopt;
        }
        used.insert(used.end(), ifd->ranges.begin(), ifd->ranges.end());
        for (const std::uint16_t sub : {kTagExifIfd, kTagInteropIfd}) {
            if (const auto offset = tagValue(tiff, *ifd, sub)) {
                const auto child = readIfd(tiff, *offset);
                if (!child) {
                    return std::nullopt;
                }
                used.insert(used.end(), child->ranges.begin(), child->ranges.end());
                if (const auto interop = tagValue(tiff, *child, kTagInteropIfd)) {
                    const auto grandchild = readIfd(tiff, *interop);
                    if (!grandchild) {
                        return std::nullopt;
                    }
                    used.insert(used.end(), grandchild->ranges.begin(), grandchild->ranges.end());
                }
            }
        }
        const auto thumbnail = tagValue(tiff, *ifd, kTagThumbnailOffset);
        const auto length = tagValue(tiff, *ifd, kTagThumbnailLength);
        if (thumbnail && length && tiff.fits(*thumbnail, *length)) {
            used.push_back({*thumbnail, std::size_t{*thumbnail} + *length});
        }
        next = tiff.u32(ifd->nextOffsetAt());
    }
    return used;
}

bool usedElsewhere(const std::vector<Range>& used, std::size_t byte) {
    for (const Range& r : used) {
        if (byte >= r.begin && byte < r.end) {
            return true;
        }
    }
    return false;
}

// Drops entry i of the IFD: the later entries and the next-IFD offset move up one slot and
// the freed slot at the end is cleared.
void dropEntry(Tiff& tiff, Ifd& ifd, std::size_t i) {
    const std::size_t from = ifd.entry(i + 1);
    const std::size_t end = ifd.nextOffsetAt() + 4;
    std::memmove(tiff.at(ifd.entry(i)), tiff.at(from), end - from);
    std::memset(tiff.at(end - kEntrySize), 0, kEntrySize);
    --ifd.count;
    tiff.putU16(ifd.offset, ifd.count);
}

} // namespace

ExifLocationResult removeExifLocation(std::vector<std::uint8_t>& app1, bool bareAllowed) {
    const auto header = locateTiff(app1, bareAllowed);
    if (!header) {
        return ExifLocationResult::Unreadable;
    }
    Tiff tiff(std::span<std::uint8_t>(app1).subspan(header->skipped), header->bigEndian);
    const std::size_t first = header->ifd0;
    auto ifd0 = readIfd(tiff, first);
    if (!ifd0) {
        return ExifLocationResult::Unreadable;
    }
    const auto gpsOffset = tagValue(tiff, *ifd0, kTagGpsIfd);
    if (!gpsOffset) {
        return ExifLocationResult::None;
    }

    // Which bytes belong to the GPS IFD alone is worked out before anything changes.
    const auto gps = readIfd(tiff, *gpsOffset);
    const auto used = rangesBesidesGps(tiff, first);
    if (!used) {
        return ExifLocationResult::Unreadable;
    }
    for (std::size_t i = ifd0->count; i-- > 0;) {
        if (tiff.u16(ifd0->entry(i)) == kTagGpsIfd) {
            dropEntry(tiff, *ifd0, i);
        }
    }
    if (gps) {
        // The dropped pointer's own bytes were in the main IFD's table, which stays used.
        for (const Range& r : gps->ranges) {
            for (std::size_t b = r.begin; b < r.end; ++b) {
                if (!usedElsewhere(*used, b)) {
                    *tiff.at(b) = 0;
                }
            }
        }
    }
    return ExifLocationResult::Removed;
}

} // namespace fotoplex
