#include "engine/FileMetadataCopy.h"

#include "engine/BytePrefix.h"
#include "engine/JpegMetadataCopy.h"
#include "engine/LocationScan.h"
#include "engine/PngMetadataCopy.h"
#include "engine/WebpMetadataCopy.h"

namespace fotoplex {

std::optional<std::vector<std::uint8_t>> fileWithMetadata(std::span<const std::uint8_t> file,
                                                          MetadataChoice choice) {
    if (choice == MetadataChoice::All) {
        return std::vector<std::uint8_t>(file.begin(), file.end());
    }
    // By the bytes, not the name: a PNG named .jpg must not pass as "another format".
    if (startsWith(file, "\xFF\xD8", 2)) {
        return jpegWithMetadata(file, choice);
    }
    if (startsWith(file, "\x89PNG\r\n\x1A\n", 8)) {
        return pngWithMetadata(file, choice);
    }
    if (startsWith(file, "RIFF", 4) && bytesAt(file, 8, "WEBP", 4)) {
        return webpWithMetadata(file, choice);
    }
    if (mayStateLocation(file)) {
        return std::nullopt;
    }
    return std::vector<std::uint8_t>(file.begin(), file.end());
}

} // namespace fotoplex
