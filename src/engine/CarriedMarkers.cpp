#include "engine/CarriedMarkers.h"

#include "engine/BytePrefix.h"

#include <algorithm>
#include <iterator>

namespace fotoplex {

namespace {

constexpr std::uint8_t kApp1 = 0xE1;
constexpr std::uint8_t kApp2 = 0xE2;
constexpr char kExifName[] = "Exif\0";     // with the terminating zero: "Exif\0\0"
constexpr char kIccName[] = "ICC_PROFILE"; // with the terminating zero
// A profile needs more than 255 chunks only past 16 MB; such a profile is not carried.
constexpr std::size_t kMaxIccChunks = 255;

// Where the colour space field lies in a profile's header, and in an APP2 marker's payload.
constexpr std::size_t kProfileSpaceAt = 16;
constexpr std::size_t kIccPayloadAt = sizeof kIccName + 2;

bool isIccMarker(const JpegMarker& marker) {
    return marker.code == kApp2 && startsWith(marker.bytes, kIccName, sizeof kIccName);
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
    // Such pictures are written as YCbCr: a grey or CMYK profile would misdescribe them.
    if (profileFits(info.iccProfile, JpegColorSpace::YCbCr)) {
        appendIccMarkers(info.iccProfile, markers);
    }
    return markers;
}

bool profileFits(std::span<const std::uint8_t> profile, JpegColorSpace space) {
    if (profile.size() < kProfileSpaceAt + 4) {
        return false;
    }
    const auto field = profile.subspan(kProfileSpaceAt);
    switch (space) {
    case JpegColorSpace::Greyscale:
        return startsWith(field, "GRAY", 4);
    case JpegColorSpace::Rgb:
    case JpegColorSpace::YCbCr:
        return startsWith(field, "RGB ", 4);
    case JpegColorSpace::Cmyk:
    case JpegColorSpace::Ycck:
        return startsWith(field, "CMYK", 4);
    }
    return false;
}

std::vector<JpegMarker> withoutMismatchedProfile(const std::vector<JpegMarker>& markers,
                                                 JpegColorSpace space) {
    const auto first = std::find_if(markers.begin(), markers.end(), [](const JpegMarker& m) {
        return isIccMarker(m) && m.bytes.size() > kIccPayloadAt && m.bytes[sizeof kIccName] == 1;
    });
    if (first == markers.end() ||
        profileFits(std::span(first->bytes).subspan(kIccPayloadAt), space)) {
        return markers;
    }
    std::vector<JpegMarker> kept;
    std::copy_if(markers.begin(), markers.end(), std::back_inserter(kept),
                 [](const JpegMarker& m) { return !isIccMarker(m); });
    return kept;
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
