#include "engine/CarriedMarkers.h"

#include <algorithm>
#include <cstring>

namespace fotoplex {

namespace {

constexpr std::uint8_t kApp1 = 0xE1;
constexpr std::uint8_t kApp2 = 0xE2;
constexpr char kExifName[] = "Exif\0";     // with the terminating zero: "Exif\0\0"
constexpr char kIccName[] = "ICC_PROFILE"; // with the terminating zero
// A profile needs more than 255 chunks only past 16 MB; such a profile is not carried.
constexpr std::size_t kMaxIccChunks = 255;

bool startsWith(std::span<const std::uint8_t> data, const char* text, std::size_t length) {
    return data.size() >= length && std::memcmp(data.data(), text, length) == 0;
}

JpegMarker exifMarker(const std::vector<std::uint8_t>& tiff) {
    JpegMarker marker{kApp1, {}};
    marker.bytes.assign(kExifName, kExifName + sizeof kExifName);
    marker.bytes.insert(marker.bytes.end(), tiff.begin(), tiff.end());
    return marker;
}

void appendIccMarkers(const std::vector<std::uint8_t>& profile, std::vector<JpegMarker>& out) {
    const std::size_t chunks = (profile.size() + kIccChunkBytes - 1) / kIccChunkBytes;
    if (chunks == 0 || chunks > kMaxIccChunks) {
        return;
    }
    for (std::size_t i = 0; i < chunks; ++i) {
        const std::size_t begin = i * kIccChunkBytes;
        const std::size_t end = std::min(profile.size(), begin + kIccChunkBytes);
        JpegMarker marker{kApp2, {}};
        marker.bytes.assign(kIccName, kIccName + sizeof kIccName);
        marker.bytes.push_back(static_cast<std::uint8_t>(i + 1));
        marker.bytes.push_back(static_cast<std::uint8_t>(chunks));
        marker.bytes.insert(marker.bytes.end(),
                            profile.begin() + static_cast<std::ptrdiff_t>(begin),
                            profile.begin() + static_cast<std::ptrdiff_t>(end));
        out.push_back(std::move(marker));
    }
}

} // namespace

std::vector<JpegMarker> carriedMarkers(const DecodedInfo& info) {
    std::vector<JpegMarker> markers;
    // One APP1 marker holds at most 65533 bytes; a larger block cannot be carried whole.
    if (!info.exif.empty() && info.exif.size() + sizeof kExifName <= 65533) {
        markers.push_back(exifMarker(info.exif));
    }
    appendIccMarkers(info.iccProfile, markers);
    return markers;
}

std::vector<std::uint8_t> exifTiffStructure(std::span<const std::uint8_t> block) {
    if (startsWith(block, kExifName, sizeof kExifName)) {
        block = block.subspan(sizeof kExifName);
    }
    if (!startsWith(block, "II*\0", 4) && !startsWith(block, "MM\0*", 4)) {
        return {};
    }
    return {block.begin(), block.end()};
}

} // namespace fotoplex
