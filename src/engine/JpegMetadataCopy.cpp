#include "engine/JpegMetadataCopy.h"

#include "engine/MetadataFilter.h"

#include <cstring>

namespace fotoplex {

namespace {

constexpr std::uint8_t kSos = 0xDA;
constexpr std::uint8_t kEoi = 0xD9;
constexpr std::uint8_t kApp0 = 0xE0;
constexpr std::uint8_t kApp14 = 0xEE;
constexpr std::uint8_t kComment = 0xFE;

bool isMetadata(std::uint8_t code) {
    return (code >= kApp0 && code <= 0xEF) || code == kComment;
}

bool startsWith(std::span<const std::uint8_t> bytes, const char* prefix, std::size_t length) {
    return bytes.size() >= length && std::memcmp(bytes.data(), prefix, length) == 0;
}

// Markers that say how the pixels are coded rather than what they show.
bool isCodingMarker(std::uint8_t code, std::span<const std::uint8_t> payload) {
    return (code == kApp0 && startsWith(payload, "JFIF\0", 5)) ||
           (code == kApp14 && startsWith(payload, "Adobe", 5));
}

void appendSegment(std::vector<std::uint8_t>& out, std::uint8_t code,
                   std::span<const std::uint8_t> payload) {
    const std::size_t length = payload.size() + 2;
    out.insert(out.end(), {0xFF, code, static_cast<std::uint8_t>(length >> 8),
                           static_cast<std::uint8_t>(length & 0xFF)});
    out.insert(out.end(), payload.begin(), payload.end());
}

} // namespace

std::optional<std::vector<std::uint8_t>> jpegWithMetadata(std::span<const std::uint8_t> file,
                                                          MetadataChoice choice) {
    if (file.size() < 4 || file[0] != 0xFF || file[1] != 0xD8) {
        return std::nullopt;
    }
    if (choice == MetadataChoice::All) {
        return std::vector<std::uint8_t>(file.begin(), file.end());
    }
    std::vector<std::uint8_t> out(file.begin(), file.begin() + 2);
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
            out.insert(out.end(), file.begin() + static_cast<long>(pos), file.end());
            return out;
        }
        if (pos + 4 > file.size()) {
            return std::nullopt;
        }
        const std::size_t length = (std::size_t{file[pos + 2]} << 8) | file[pos + 3];
        if (length < 2 || file.size() - pos - 2 < length) {
            return std::nullopt;
        }
        const auto payload = file.subspan(pos + 4, length - 2);
        if (!isMetadata(code) || isCodingMarker(code, payload)) {
            out.insert(out.end(), file.begin() + static_cast<long>(pos),
                       file.begin() + static_cast<long>(pos + 2 + length));
        } else {
            const auto kept = markersFor({{code, {payload.begin(), payload.end()}}}, choice);
            for (const JpegMarker& marker : kept) {
                appendSegment(out, marker.code, marker.bytes);
            }
        }
        pos += 2 + length;
    }
}

} // namespace fotoplex
