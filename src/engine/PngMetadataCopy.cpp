#include "engine/PngMetadataCopy.h"

#include "engine/Exif.h"
#include "engine/ExifLocation.h"
#include "engine/LocationScan.h"
#include "engine/OrientationExif.h"
#include "engine/XmpLocation.h"

#include <array>
#include <cstring>
#include <string>
#include <string_view>
#include <zlib.h>

namespace fotoplex {

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
// More text than any real chunk inflates to: a larger one counts as naming a position.
constexpr std::size_t kMaxInflated = std::size_t{64} << 20;

struct Chunk {
    std::string type;
    std::span<const std::uint8_t> data;
    std::span<const std::uint8_t> whole; // length, type, data and CRC as in the file
};

std::uint32_t bigEndian32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return (std::uint32_t{bytes[at]} << 24) | (std::uint32_t{bytes[at + 1]} << 16) |
           (std::uint32_t{bytes[at + 2]} << 8) | bytes[at + 3];
}

void appendChunk(Bytes& out, const std::string& type, std::span<const std::uint8_t> data) {
    const auto length = static_cast<std::uint32_t>(data.size());
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(length >> shift));
    }
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0L, out.data() + typeAt, static_cast<uInt>(out.size() - typeAt));
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(crc >> shift));
    }
}

// The chunks up to and including IEND; nothing when they cannot be walked.
std::optional<std::vector<Chunk>> walkChunks(std::span<const std::uint8_t> file) {
    if (file.size() < kSignature.size() ||
        std::memcmp(file.data(), kSignature.data(), kSignature.size()) != 0) {
        return std::nullopt;
    }
    std::vector<Chunk> chunks;
    std::size_t pos = kSignature.size();
    while (true) {
        if (file.size() - pos < 12) {
            return std::nullopt;
        }
        const std::size_t length = bigEndian32(file, pos);
        if (file.size() - pos - 12 < length) {
            return std::nullopt;
        }
        Chunk chunk{std::string(reinterpret_cast<const char*>(file.data() + pos + 4), 4),
                    file.subspan(pos + 8, length), file.subspan(pos, 12 + length)};
        chunks.push_back(chunk);
        pos += 12 + length;
        if (chunk.type == "IEND") {
            return chunks;
        }
    }
}

std::optional<std::string> inflated(std::span<const std::uint8_t> data) {
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK) {
        return std::nullopt;
    }
    stream.next_in = const_cast<Bytef*>(data.data());
    stream.avail_in = static_cast<uInt>(data.size());
    std::string text;
    std::array<char, 16384> buffer{};
    int result = Z_OK;
    while (result == Z_OK && text.size() <= kMaxInflated) {
        stream.next_out = reinterpret_cast<Bytef*>(buffer.data());
        stream.avail_out = static_cast<uInt>(buffer.size());
        result = inflate(&stream, Z_NO_FLUSH);
        text.append(buffer.data(), buffer.size() - stream.avail_out);
        if (result == Z_BUF_ERROR && stream.avail_in == 0) {
            break; // cut short
        }
    }
    inflateEnd(&stream);
    if (result != Z_STREAM_END || text.size() > kMaxInflated) {
        return std::nullopt;
    }
    return text;
}

std::string_view asText(std::span<const std::uint8_t> data) {
    return {reinterpret_cast<const char*>(data.data()), data.size()};
}

// The keyword and the (inflated) text of a text chunk; nothing when it cannot be read.
std::optional<std::pair<std::string, std::string>> textOf(const Chunk& chunk) {
    const std::string_view all = asText(chunk.data);
    const std::size_t nul = all.find('\0');
    if (nul == std::string_view::npos) {
        return std::nullopt;
    }
    std::string keyword(all.substr(0, nul));
    if (chunk.type == "tEXt") {
        return std::pair{keyword, std::string(all.substr(nul + 1))};
    }
    if (chunk.type == "zTXt") {
        if (all.size() < nul + 2) {
            return std::nullopt;
        }
        auto text = inflated(chunk.data.subspan(nul + 2));
        return text ? std::optional(std::pair{keyword, *text}) : std::nullopt;
    }
    // iTXt: compression flag and method, language and translated keyword, then the text.
    if (all.size() < nul + 3) {
        return std::nullopt;
    }
    const bool compressed = all[nul + 1] != 0;
    const std::size_t language = all.find('\0', nul + 3);
    const std::size_t translated =
        language == std::string_view::npos ? language : all.find('\0', language + 1);
    if (translated == std::string_view::npos) {
        return std::nullopt;
    }
    if (!compressed) {
        return std::pair{keyword, std::string(all.substr(translated + 1))};
    }
    auto text = inflated(chunk.data.subspan(translated + 1));
    return text ? std::optional(std::pair{keyword, *text}) : std::nullopt;
}

bool isText(const std::string& type) {
    return type == "tEXt" || type == "zTXt" || type == "iTXt";
}

// Hex EXIF kept as text by some tools ("Raw profile type exif" or "... APP1").
bool isRawExif(const std::string& keyword) {
    return keyword == "Raw profile type exif" || keyword == "Raw profile type APP1";
}

bool textStaysWithoutLocation(const Chunk& chunk) {
    const auto text = textOf(chunk);
    return text && !isRawExif(text->first) && !xmpNamesLocation(text->second) &&
           !xmpNamesLocation(text->first);
}

bool isCritical(const std::string& type) {
    return type[0] >= 'A' && type[0] <= 'Z';
}

bool showsThePixels(const std::string& type) {
    for (const char* kept :
         {"tRNS", "iCCP", "gAMA", "cHRM", "sRGB", "sBIT", "cICP", "pHYs", "acTL", "fcTL", "fdAT"}) {
        if (type == kept) {
            return true;
        }
    }
    return isCritical(type);
}

} // namespace

std::optional<std::vector<std::uint8_t>> pngWithMetadata(std::span<const std::uint8_t> file,
                                                         MetadataChoice choice) {
    const auto chunks = walkChunks(file);
    if (!chunks) {
        return std::nullopt;
    }
    Bytes out(kSignature.begin(), kSignature.end());
    const auto keep = [&out](const Chunk& chunk) {
        out.insert(out.end(), chunk.whole.begin(), chunk.whole.end());
    };
    bool exifSeen = false;
    for (const Chunk& chunk : *chunks) {
        if (choice == MetadataChoice::All) {
            keep(chunk);
        } else if (chunk.type == "eXIf") {
            if (exifSeen) {
                continue; // only one is allowed; a second is not looked at by viewers
            }
            exifSeen = true;
            if (choice == MetadataChoice::Profile) {
                const auto orientation = readExifOrientation(chunk.data);
                if (orientation && *orientation != 1) {
                    const Bytes exif = orientationOnlyExif(*orientation);
                    appendChunk(out, "eXIf", std::span(exif).subspan(6));
                }
                continue;
            }
            Bytes exif(chunk.data.begin(), chunk.data.end());
            const ExifLocationResult result = removeExifLocation(exif, true);
            if (result == ExifLocationResult::None) {
                keep(chunk);
            } else if (result == ExifLocationResult::Removed) {
                appendChunk(out, "eXIf", exif);
            }
        } else if (choice == MetadataChoice::Profile) {
            if (showsThePixels(chunk.type)) {
                keep(chunk);
            }
        } else if (isText(chunk.type) ? textStaysWithoutLocation(chunk)
                                      : isCritical(chunk.type) || !mayStateLocation(chunk.data)) {
            keep(chunk);
        }
    }
    return out;
}

} // namespace fotoplex
