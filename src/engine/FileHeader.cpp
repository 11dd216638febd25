#include "engine/FileHeader.h"

#include "engine/Decoders.h"
#include "engine/FileBytes.h"

#include <cstring>

namespace fotoplex {

namespace {

// Most headers fit here; a header that does not (a large marker or chunk before the size, a
// TIFF directory at the end) is retried on the whole file.
constexpr std::uint64_t kHeaderPrefix = 64 * 1024;

bool startsWith(std::span<const std::uint8_t> data, const char* text, std::size_t length) {
    return data.size() >= length && std::memcmp(data.data(), text, length) == 0;
}

std::optional<DecodedInfo> headerOf(FileFormat format, std::span<const std::uint8_t> data) {
    Picture untouched;
    DecodedInfo info;
    JpegDetails jpeg;
    if (decodeUpright(format, data, untouched, info, jpeg, true).status == DecodeStatus::Failed) {
        return std::nullopt;
    }
    return info;
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
