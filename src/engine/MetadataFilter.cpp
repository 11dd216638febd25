#include "engine/MetadataFilter.h"

#include "engine/BytePrefix.h"
#include "engine/ExifLocation.h"
#include "engine/LocationScan.h"
#include "engine/XmpLocation.h"

#include <algorithm>
#include <map>
#include <string>
#include <string_view>

namespace fotoplex {

namespace {

constexpr std::uint8_t kApp1 = 0xE1;
constexpr std::uint8_t kApp2 = 0xE2;

constexpr std::string_view kXmp("http://ns.adobe.com/xap/1.0/\0", 29);
constexpr std::string_view kXmpExtension("http://ns.adobe.com/xmp/extension/\0", 35);
// After the extension's name: the packet's GUID (32), its full length (4) and this part's
// offset in it (4).
constexpr std::size_t kGuidSize = 32;
constexpr std::size_t kExtensionHeader = kXmpExtension.size() + kGuidSize + 8;

std::string_view text(const JpegMarker& marker, std::size_t from = 0) {
    return {reinterpret_cast<const char*>(marker.bytes.data()) + from, marker.bytes.size() - from};
}

bool isXmpPart(const JpegMarker& marker) {
    return marker.code == kApp1 && startsWith(marker.bytes, kXmpExtension);
}

bool isXmpPacket(const JpegMarker& marker) {
    // Some writers leave out the name's terminating zero.
    return marker.code == kApp1 && startsWith(marker.bytes, kXmp.substr(0, kXmp.size() - 1));
}

std::uint32_t bigEndian32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return (std::uint32_t{bytes[at]} << 24) | (std::uint32_t{bytes[at + 1]} << 16) |
           (std::uint32_t{bytes[at + 2]} << 8) | bytes[at + 3];
}

// The extended packets, each put together from its parts in the order of their offsets;
// a part too short for its header forms a packet of its own.
std::map<std::string, std::string> extendedPackets(const std::vector<JpegMarker>& markers) {
    std::map<std::string, std::multimap<std::uint32_t, std::string_view>> parts;
    for (std::size_t i = 0; i < markers.size(); ++i) {
        const JpegMarker& m = markers[i];
        if (!isXmpPart(m)) {
            continue;
        }
        if (m.bytes.size() < kExtensionHeader) {
            parts["short " + std::to_string(i)].emplace(0, text(m));
            continue;
        }
        const std::string guid(text(m, kXmpExtension.size()).substr(0, kGuidSize));
        parts[guid].emplace(bigEndian32(m.bytes, kExtensionHeader - 4), text(m, kExtensionHeader));
    }
    std::map<std::string, std::string> packets;
    for (const auto& [guid, pieces] : parts) {
        for (const auto& [offset, piece] : pieces) {
            packets[guid] += piece;
        }
    }
    return packets;
}

std::string guidOf(const JpegMarker& part, std::size_t index) {
    if (part.bytes.size() < kExtensionHeader) {
        return "short " + std::to_string(index);
    }
    return std::string(text(part, kXmpExtension.size()).substr(0, kGuidSize));
}

std::vector<bool> withoutLocation(std::vector<JpegMarker>& markers) {
    const auto extended = extendedPackets(markers);
    std::vector<bool> keep(markers.size(), true);
    for (std::size_t i = 0; i < markers.size(); ++i) {
        JpegMarker& m = markers[i];
        if (isExifMarker(m)) {
            keep[i] = removeExifLocation(m.bytes) != ExifLocationResult::Unreadable;
        } else if (isXmpPart(m)) {
            keep[i] = !xmpNamesLocation(extended.at(guidOf(m, i)));
        } else if (isXmpPacket(m)) {
            keep[i] = !xmpNamesLocation(text(m));
        } else if (!isIccProfile(m)) {
            // Other carriers (a Photoshop block holding a copy of the EXIF or XMP, a vendor's
            // own marker, a comment) go when anything in them may state a place.
            keep[i] = !mayStateLocation(m.bytes);
        }
    }
    return keep;
}

} // namespace

bool isIccProfile(const JpegMarker& marker) {
    return marker.code == kApp2 && startsWith(marker.bytes, std::string_view("ICC_PROFILE\0", 12));
}

bool isExifMarker(const JpegMarker& marker) {
    return marker.code == kApp1 && startsWith(marker.bytes, std::string_view("Exif\0\0", 6));
}

std::vector<bool> keepMarkers(std::vector<JpegMarker>& markers, MetadataChoice choice) {
    switch (choice) {
    case MetadataChoice::All:
        break;
    case MetadataChoice::NoLocation:
        return withoutLocation(markers);
    case MetadataChoice::Profile: {
        std::vector<bool> keep;
        for (const JpegMarker& m : markers) {
            keep.push_back(isIccProfile(m));
        }
        return keep;
    }
    }
    return std::vector<bool>(markers.size(), true);
}

std::vector<JpegMarker> markersFor(std::vector<JpegMarker> markers, MetadataChoice choice) {
    const std::vector<bool> keep = keepMarkers(markers, choice);
    std::vector<JpegMarker> kept;
    for (std::size_t i = 0; i < markers.size(); ++i) {
        if (keep[i]) {
            kept.push_back(std::move(markers[i]));
        }
    }
    return kept;
}

} // namespace fotoplex
