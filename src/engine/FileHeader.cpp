#include "engine/FileHeader.h"

#include "engine/BytePrefix.h"
#include "engine/Decoders.h"
#include "engine/FileBytes.h"
#include "engine/jp2/Jp2Reader.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

namespace fotoplex {

namespace {

// Most headers fit here; a header that does not (a large marker or chunk before the size, a
// TIFF directory at the end) is retried on the whole file.
constexpr std::uint64_t kHeaderPrefix = 64 * 1024;

std::optional<DecodedInfo> headerOf(FileFormat format, std::span<const std::uint8_t> data) {
    Picture untouched;
    DecodedInfo info;
    JpegDetails jpeg;
    if (decodeUpright(format, data, untouched, info, jpeg, true).status == DecodeStatus::Failed) {
        return std::nullopt;
    }
    return info;
}

bool isBrand(std::span<const std::uint8_t> data, std::size_t at, const char* brand) {
    return data.size() >= at + 4 && std::memcmp(data.data() + at, brand, 4) == 0;
}

bool isAnyBrand(std::span<const std::uint8_t> data, std::size_t at,
                std::initializer_list<const char*> brands) {
    for (const char* brand : brands) {
        if (isBrand(data, at, brand)) {
            return true;
        }
    }
    return false;
}

// HEIF and AVIF files start with a file type box naming their brands: AVIF by an "avif" or
// "avis" brand, HEIF by the HEVC or general image brands.
FileFormat heifFamily(std::span<const std::uint8_t> data) {
    if (!isBrand(data, 4, "ftyp") || data.size() < 16) {
        return FileFormat::Unknown;
    }
    const std::size_t boxSize = (std::size_t{data[0]} << 24) | (std::size_t{data[1]} << 16) |
                                (std::size_t{data[2]} << 8) | data[3];
    const std::size_t end = std::min(boxSize, data.size());
    bool heif = false;
    bool avif = false;
    for (std::size_t at = 8; at + 4 <= end; at += at == 8 ? 8 : 4) {
        avif = avif || isAnyBrand(data, at, {"avif", "avis"});
        heif = heif || isAnyBrand(data, at,
                                  {"heic", "heix", "hevc", "hevx", "heim", "heis", "mif1", "msf1"});
    }
    if (isAnyBrand(data, 8, {"avif", "avis"}) || (avif && !isAnyBrand(data, 8, {"heic", "heix"}))) {
        return FileFormat::Avif;
    }
    return heif ? FileFormat::Heif : FileFormat::Unknown;
}

// Icons and cursors: reserved zero, type 1 or 2, at least one image.
bool isIcon(std::span<const std::uint8_t> data) {
    return data.size() >= 6 && data[0] == 0 && data[1] == 0 && (data[2] == 1 || data[2] == 2) &&
           data[3] == 0 && (data[4] != 0 || data[5] != 0);
}

// Targa has no signature: its header's fields must all hold values the format defines.
bool isTarga(std::span<const std::uint8_t> data) {
    if (data.size() < 18) {
        return false;
    }
    const std::uint8_t mapType = data[1];
    const std::uint8_t type = data[2];
    const std::uint8_t mapDepth = data[7];
    const std::uint8_t depth = data[16];
    const bool mapped = type == 1 || type == 9;
    const bool knownType = mapped || type == 2 || type == 3 || type == 10 || type == 11;
    const bool knownMap =
        mapType == 0 ||
        (mapType == 1 && (mapDepth == 15 || mapDepth == 16 || mapDepth == 24 || mapDepth == 32));
    const bool knownDepth = depth == 8 || depth == 15 || depth == 16 || depth == 24 || depth == 32;
    const bool hasSize = (data[12] | data[13]) != 0 && (data[14] | data[15]) != 0;
    return knownType && knownMap && knownDepth && hasSize && (!mapped || mapType == 1) &&
           (data[17] & 0xC0) == 0;
}

} // namespace

FileFormat formatFromSignature(std::span<const std::uint8_t> leading) {
    if (startsWith(leading, "\x89PNG\r\n\x1a\n", 8)) {
        return FileFormat::Png;
    }
    if (startsWith(leading, "\xff\xd8\xff", 3)) {
        return FileFormat::Jpeg;
    }
    if (startsWith(leading, "GIF", 3)) {
        return FileFormat::Gif;
    }
    if (startsWith(leading, "II*\0", 4) || startsWith(leading, "MM\0*", 4) ||
        startsWith(leading, "II+\0", 4) || startsWith(leading, "MM\0+", 4)) {
        return FileFormat::Tiff;
    }
    if (startsWith(leading, "BM", 2)) {
        return FileFormat::Bmp;
    }
    if (leading.size() >= 2 && leading[0] == 'P' && leading[1] >= '1' && leading[1] <= '6') {
        return FileFormat::Pnm;
    }
    if (leading.size() >= 2 && leading[0] == 10 && leading[1] <= 5) {
        return FileFormat::Pcx;
    }
    if (startsWith(leading, "RIFF", 4) && isBrand(leading, 8, "WEBP")) {
        return FileFormat::WebP;
    }
    if (const FileFormat heif = heifFamily(leading); heif != FileFormat::Unknown) {
        return heif;
    }
    if (isJp2File(leading) || isJ2kCodeStream(leading)) {
        return FileFormat::Jp2;
    }
    if (isIcon(leading)) {
        return FileFormat::Ico;
    }
    if (isTarga(leading)) {
        return FileFormat::Tga;
    }
    return FileFormat::Unknown;
}

FileHeader headerFromBytes(std::span<const std::uint8_t> data) {
    const FileFormat format = formatFromSignature(data);
    if (format == FileFormat::Unknown) {
        return {};
    }
    const auto info = headerOf(format, data);
    if (!info) {
        return {};
    }
    return {format, *info};
}

FileHeader readFileHeader(const std::string& path) {
    const auto prefix = readFileBytes(path, kHeaderPrefix);
    if (!prefix) {
        return {};
    }
    FileHeader header = headerFromBytes(prefix->bytes);
    const bool recognised = formatFromSignature(prefix->bytes) != FileFormat::Unknown;
    if (header.format == FileFormat::Unknown && recognised &&
        prefix->fileSize > prefix->bytes.size()) {
        if (const auto whole = readFileBytes(path, kMaxFileBytes)) {
            header = headerFromBytes(whole->bytes);
        }
    }
    return header;
}

} // namespace fotoplex
