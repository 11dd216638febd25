#include "engine/MetadataFilter.h"

#include "engine/ExifLocation.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace fotoplex {

namespace {

constexpr std::uint8_t kApp1 = 0xE1;
constexpr std::uint8_t kApp2 = 0xE2;

bool startsWith(const JpegMarker& marker, std::string_view prefix) {
    return marker.bytes.size() >= prefix.size() &&
           std::memcmp(marker.bytes.data(), prefix.data(), prefix.size()) == 0;
}

bool isExif(const JpegMarker& marker) {
    return marker.code == kApp1 && startsWith(marker, std::string_view("Exif\0\0", 6));
}

// An XMP packet (or an extension of one) that states a GPS position.
bool isXmpWithLocation(const JpegMarker& marker) {
    if (marker.code != kApp1 || !(startsWith(marker, "http://ns.adobe.com/xap/1.0/") ||
                                  startsWith(marker, "http://ns.adobe.com/xmp/extension/"))) {
        return false;
    }
    const std::string_view text(reinterpret_cast<const char*>(marker.bytes.data()),
                                marker.bytes.size());
    return text.find("GPSLatitude") != std::string_view::npos ||
           text.find("GPSLongitude") != std::string_view::npos;
}

// False when the marker must go.
bool withoutLocation(JpegMarker& marker) {
    if (isExif(marker)) {
        return removeExifLocation(marker.bytes) != ExifLocationResult::Unreadable;
    }
    return !isXmpWithLocation(marker);
}

} // namespace

bool isIccProfile(const JpegMarker& marker) {
    return marker.code == kApp2 && startsWith(marker, std::string_view("ICC_PROFILE\0", 12));
}

std::vector<JpegMarker> markersFor(std::vector<JpegMarker> markers, MetadataChoice choice) {
    switch (choice) {
    case MetadataChoice::All:
        break;
    case MetadataChoice::NoLocation: {
        std::vector<JpegMarker> kept;
        for (JpegMarker& marker : markers) {
            if (withoutLocation(marker)) {
                kept.push_back(std::move(marker));
            }
        }
        return kept;
    }
    case MetadataChoice::Profile:
        std::erase_if(markers, [](const JpegMarker& m) { return !isIccProfile(m); });
        break;
    }
    return markers;
}

} // namespace fotoplex
