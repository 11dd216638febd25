#include "engine/JpegMetadataCopy.h"

#include "engine/BytePrefix.h"
#include "engine/Exif.h"
#include "engine/MetadataFilter.h"
#include "engine/OrientationExif.h"
#include "engine/TiffStructure.h"

#include <algorithm>

namespace fotoplex {

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t kSos = 0xDA;
constexpr std::uint8_t kEoi = 0xD9;
constexpr std::uint8_t kApp0 = 0xE0;
constexpr std::uint8_t kApp2 = 0xE2;
constexpr std::uint8_t kApp14 = 0xEE;
constexpr std::uint8_t kComment = 0xFE;
constexpr std::uint16_t kTagMpEntry = 0xB002;
constexpr std::size_t kMpEntrySize = 16;
constexpr std::size_t kMpfName = 4; // "MPF\0" before the TIFF structure

bool isMetadata(std::uint8_t code) {
    return (code >= kApp0 && code <= 0xEF) || code == kComment;
}

// Markers that say how the pixels are coded rather than what they show.
bool isCodingMarker(std::uint8_t code, std::span<const std::uint8_t> payload) {
    return (code == kApp0 && startsWith(payload, "JFIF\0", 5)) ||
           (code == kApp14 && startsWith(payload, "Adobe", 5));
}

bool isMpf(const JpegMarker& marker) {
    return marker.code == kApp2 && startsWith(marker.bytes, "MPF\0", kMpfName);
}

void appendSegment(Bytes& out, std::uint8_t code, std::span<const std::uint8_t> payload) {
    const std::size_t length = payload.size() + 2;
    out.insert(out.end(), {0xFF, code, static_cast<std::uint8_t>(length >> 8),
                           static_cast<std::uint8_t>(length & 0xFF)});
    out.insert(out.end(), payload.begin(), payload.end());
}

// One segment before the first scan: where it lies in the file.
struct Segment {
    std::size_t begin = 0; // its 0xFF
    std::size_t end = 0;
    std::uint8_t code = 0;
    bool metadata = false;
};

// The segments between SOI and the first scan, and where that scan (or EOI) begins.
struct Head {
    std::vector<Segment> segments;
    std::size_t scan = 0;
};

std::optional<Head> walkHead(std::span<const std::uint8_t> file) {
    if (file.size() < 4 || file[0] != 0xFF || file[1] != 0xD8) {
        return std::nullopt;
    }
    Head head;
    std::size_t pos = 2;
    while (true) {
        if (pos + 2 > file.size() || file[pos] != 0xFF) {
            return std::nullopt;
        }
        while (pos + 1 < file.size() && file[pos + 1] == 0xFF) {
            ++pos; // fill bytes before a marker
        }
        if (pos + 2 > file.size()) {
            return std::nullopt;
        }
        const std::uint8_t code = file[pos + 1];
        if (code == kSos || code == kEoi) {
            head.scan = pos;
            return head;
        }
        if (pos + 4 > file.size()) {
            return std::nullopt;
        }
        const std::size_t length = (std::size_t{file[pos + 2]} << 8) | file[pos + 3];
        if (length < 2 || file.size() - pos - 2 < length) {
            return std::nullopt;
        }
        const auto payload = file.subspan(pos + 4, length - 2);
        head.segments.push_back(
            {pos, pos + 2 + length, code, isMetadata(code) && !isCodingMarker(code, payload)});
        pos += 2 + length;
    }
}

// A further picture of a multi-picture file: its entry in the index and where it lies.
struct MpPicture {
    std::size_t entry = 0; // offset of its 16-byte entry in the MPF block's TIFF structure
    std::size_t begin = 0; // in the file
    std::size_t size = 0;
};

struct MpIndex {
    bool bigEndian = false;
    std::size_t firstEntry = 0;
    std::vector<MpPicture> pictures;
};

// The index of an MPF block whose TIFF structure starts at `tiffAt` in the file. Nothing
// when it is damaged or names a picture outside the file, overlapping another or the first
// picture's head, or not a JPEG.
std::optional<MpIndex> readMpIndex(std::span<const std::uint8_t> file,
                                   std::span<const std::uint8_t> tiff, std::size_t tiffAt,
                                   std::size_t firstScan) {
    if (tiff.size() < 8 || !(startsWith(tiff, "II*\0", 4) || startsWith(tiff, "MM\0*", 4))) {
        return std::nullopt;
    }
    MpIndex index;
    index.bigEndian = tiff[0] == 'M';
    const TiffCursor cursor(tiff, index.bigEndian);
    const std::size_t ifd = cursor.u32(4).value_or(0);
    const auto count = cursor.u16(ifd);
    if (!count) {
        return std::nullopt;
    }
    std::optional<std::size_t> entries;
    std::size_t entryBytes = 0;
    for (std::size_t i = 0; i < *count; ++i) {
        const std::size_t at = ifd + 2 + 12 * i;
        if (cursor.u16(at) == kTagMpEntry) {
            entryBytes = cursor.u32(at + 4).value_or(0);
            entries = cursor.u32(at + 8);
        }
    }
    if (!entries) {
        return index; // an attribute block of a further picture: no index
    }
    if (entryBytes % kMpEntrySize != 0 || *entries > tiff.size() ||
        tiff.size() - *entries < entryBytes) {
        return std::nullopt;
    }
    index.firstEntry = *entries;
    for (std::size_t at = *entries + kMpEntrySize; at < *entries + entryBytes; at += kMpEntrySize) {
        const std::size_t size = *cursor.u32(at + 4);
        const std::size_t offset = *cursor.u32(at + 8);
        const std::size_t begin = tiffAt + offset;
        if (offset == 0 && size == 0) {
            continue; // an entry without a picture
        }
        if (offset == 0 || size < 4 || begin < firstScan || begin > file.size() ||
            file.size() - begin < size || file[begin] != 0xFF || file[begin + 1] != 0xD8) {
            return std::nullopt;
        }
        index.pictures.push_back({at, begin, size});
    }
    std::sort(index.pictures.begin(), index.pictures.end(),
              [](const MpPicture& a, const MpPicture& b) { return a.begin < b.begin; });
    for (std::size_t i = 1; i < index.pictures.size(); ++i) {
        if (index.pictures[i - 1].begin + index.pictures[i - 1].size > index.pictures[i].begin) {
            return std::nullopt;
        }
    }
    return index;
}

void putU32(Bytes& out, std::size_t at, std::uint32_t value, bool bigEndian) {
    for (int i = 0; i < 4; ++i) {
        const int shift = bigEndian ? 24 - 8 * i : 8 * i;
        out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> shift);
    }
}

// Under Profile, the Orientation of the first EXIF block when it turns the picture.
std::optional<std::uint16_t> turning(const std::vector<JpegMarker>& markers) {
    for (const JpegMarker& m : markers) {
        if (isExifMarker(m)) {
            const auto orientation = readExifOrientation(m.bytes);
            if (orientation && *orientation != 1) {
                return orientation;
            }
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<Bytes> filtered(std::span<const std::uint8_t> file, MetadataChoice choice,
                              bool primary) {
    const auto head = walkHead(file);
    if (!head) {
        return std::nullopt;
    }
    std::vector<JpegMarker> markers;
    for (const Segment& s : head->segments) {
        if (s.metadata) {
            const auto payload = file.subspan(s.begin + 4, s.end - s.begin - 4);
            markers.push_back({s.code, {payload.begin(), payload.end()}});
        }
    }
    // The index is read before filtering: under Profile it goes, and its pictures with it.
    std::optional<MpIndex> index;
    for (std::size_t i = 0, m = 0; primary && i < head->segments.size(); ++i) {
        const Segment& s = head->segments[i];
        if (s.metadata && isMpf(markers[m]) && !index) {
            const std::size_t tiffAt = s.begin + 4 + kMpfName;
            index = readMpIndex(file, file.subspan(tiffAt, s.end - tiffAt), tiffAt, head->scan);
            if (!index) {
                return std::nullopt;
            }
        }
        m += s.metadata ? 1 : 0;
    }
    const auto orientation = choice == MetadataChoice::Profile ? turning(markers) : std::nullopt;
    std::vector<bool> keep = keepMarkers(markers, choice);

    Bytes out(file.begin(), file.begin() + 2);
    std::optional<std::size_t> mpfAt; // where the kept index's TIFF structure lies in out
    bool orientationWritten = false;
    for (std::size_t i = 0, m = 0; i < head->segments.size(); ++i) {
        const Segment& s = head->segments[i];
        if (!s.metadata) {
            out.insert(out.end(), file.begin() + static_cast<long>(s.begin),
                       file.begin() + static_cast<long>(s.end));
            continue;
        }
        const JpegMarker& marker = markers[m];
        if (orientation && !orientationWritten && isExifMarker(marker)) {
            appendSegment(out, marker.code, orientationOnlyExif(*orientation));
            orientationWritten = true;
        } else if (keep[m]) {
            if (index && !mpfAt && isMpf(marker)) {
                mpfAt = out.size() + 4 + kMpfName;
            }
            appendSegment(out, marker.code, marker.bytes);
        }
        ++m;
    }
    const std::size_t firstEnd =
        index && !index->pictures.empty() ? index->pictures.front().begin : file.size();
    out.insert(out.end(), file.begin() + static_cast<long>(head->scan),
               file.begin() + static_cast<long>(firstEnd));
    if (!index || !mpfAt || index->firstEntry == 0) {
        return out;
    }
    putU32(out, *mpfAt + index->firstEntry + 4, static_cast<std::uint32_t>(out.size()),
           index->bigEndian);
    for (const MpPicture& picture : index->pictures) {
        const auto further = filtered(file.subspan(picture.begin, picture.size), choice, false);
        if (!further) {
            return std::nullopt;
        }
        const std::size_t entry = *mpfAt + picture.entry;
        putU32(out, entry + 4, static_cast<std::uint32_t>(further->size()), index->bigEndian);
        putU32(out, entry + 8, static_cast<std::uint32_t>(out.size() - *mpfAt), index->bigEndian);
        out.insert(out.end(), further->begin(), further->end());
    }
    return out;
}

} // namespace

std::optional<std::vector<std::uint8_t>> jpegWithMetadata(std::span<const std::uint8_t> file,
                                                          MetadataChoice choice) {
    if (choice == MetadataChoice::All) {
        if (file.size() < 4 || file[0] != 0xFF || file[1] != 0xD8) {
            return std::nullopt;
        }
        return std::vector<std::uint8_t>(file.begin(), file.end());
    }
    return filtered(file, choice, true);
}

} // namespace fotoplex
