#include "engine/WebpMetadataCopy.h"

#include "engine/Exif.h"
#include "engine/ExifLocation.h"
#include "engine/LocationScan.h"
#include "engine/OrientationExif.h"
#include "engine/XmpLocation.h"

#include <cstring>
#include <string>
#include <string_view>

namespace fotoplex {

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t kFlagExif = 0x08;
constexpr std::uint8_t kFlagXmp = 0x04;

struct Chunk {
    std::string type;
    std::span<const std::uint8_t> data;
};

std::uint32_t littleEndian32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return std::uint32_t{bytes[at]} | (std::uint32_t{bytes[at + 1]} << 8) |
           (std::uint32_t{bytes[at + 2]} << 16) | (std::uint32_t{bytes[at + 3]} << 24);
}

void putLittleEndian32(Bytes& out, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

void appendChunk(Bytes& out, const std::string& type, std::span<const std::uint8_t> data) {
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), 4, 0);
    putLittleEndian32(out, out.size() - 4, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    if (data.size() % 2 != 0) {
        out.push_back(0);
    }
}

std::optional<std::vector<Chunk>> walkChunks(std::span<const std::uint8_t> file) {
    if (file.size() < 12 || std::memcmp(file.data(), "RIFF", 4) != 0 ||
        std::memcmp(file.data() + 8, "WEBP", 4) != 0) {
        return std::nullopt;
    }
    const std::size_t riffEnd = std::size_t{littleEndian32(file, 4)} + 8;
    if (riffEnd > file.size() || riffEnd < 12) {
        return std::nullopt;
    }
    std::vector<Chunk> chunks;
    std::size_t pos = 12;
    while (pos < riffEnd) {
        if (riffEnd - pos < 8) {
            return std::nullopt;
        }
        const std::size_t size = littleEndian32(file, pos + 4);
        if (riffEnd - pos - 8 < size) {
            return std::nullopt;
        }
        chunks.push_back({std::string(reinterpret_cast<const char*>(file.data() + pos), 4),
                          file.subspan(pos + 8, size)});
        pos += 8 + size + size % 2;
    }
    return chunks;
}

bool isPicture(const std::string& type) {
    for (const char* kept : {"VP8X", "VP8 ", "VP8L", "ALPH", "ANIM", "ANMF", "ICCP"}) {
        if (type == kept) {
            return true;
        }
    }
    return false;
}

// The EXIF chunk as it stays under choice; empty when it goes.
Bytes exifFor(const Chunk& chunk, MetadataChoice choice) {
    if (choice == MetadataChoice::Profile) {
        const auto orientation = readExifOrientation(chunk.data);
        if (!orientation || *orientation == 1) {
            return {};
        }
        const Bytes exif = orientationOnlyExif(*orientation);
        return Bytes(exif.begin() + 6, exif.end());
    }
    Bytes exif(chunk.data.begin(), chunk.data.end());
    if (removeExifLocation(exif, true) == ExifLocationResult::Unreadable) {
        return {};
    }
    return exif;
}

} // namespace

std::optional<std::vector<std::uint8_t>> webpWithMetadata(std::span<const std::uint8_t> file,
                                                          MetadataChoice choice) {
    const auto chunks = walkChunks(file);
    if (!chunks) {
        return std::nullopt;
    }
    Bytes out(file.begin(), file.begin() + 12);
    std::optional<std::size_t> flagsAt;
    std::uint8_t flags = 0;
    for (const Chunk& chunk : *chunks) {
        const std::string& type = chunk.type;
        const bool kept = choice == MetadataChoice::All || isPicture(type) ||
                          (choice == MetadataChoice::NoLocation && type != "EXIF" &&
                           type != "XMP " && !mayStateLocation(chunk.data));
        if (kept) {
            if (type == "VP8X" && !chunk.data.empty() && !flagsAt) {
                flagsAt = out.size() + 8;
            }
            appendChunk(out, type, chunk.data);
        } else if (type == "EXIF" && !(flags & kFlagExif)) {
            const Bytes exif = exifFor(chunk, choice);
            if (!exif.empty()) {
                appendChunk(out, type, exif);
                flags |= kFlagExif;
            }
        } else if (type == "XMP " && choice == MetadataChoice::NoLocation && !(flags & kFlagXmp) &&
                   !xmpNamesLocation(std::string_view(
                       reinterpret_cast<const char*>(chunk.data.data()), chunk.data.size()))) {
            appendChunk(out, type, chunk.data);
            flags |= kFlagXmp;
        }
    }
    if (flagsAt && choice != MetadataChoice::All) {
        out[*flagsAt] =
            static_cast<std::uint8_t>((out[*flagsAt] & ~(kFlagExif | kFlagXmp)) | flags);
    }
    putLittleEndian32(out, 4, static_cast<std::uint32_t>(out.size() - 8));
    return out;
}

} // namespace fotoplex
