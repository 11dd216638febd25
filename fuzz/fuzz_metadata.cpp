// Feeds arbitrary bytes to what takes metadata apart: the location remover (an EXIF block),
// the marker filter (a whole JPEG file) and the project file's extension block. The first byte
// chooses which; each must keep its promises on any input.
#include "base/MetadataChoice.h"
#include "engine/ExifLocation.h"
#include "engine/JpegMetadataCopy.h"
#include "project/ProjectExtension.h"
#include "project/TProject.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace {

using namespace fotoplex;

// The remover never changes the length, leaves what it cannot use alone, and once it has
// removed the location there is none left to remove.
void removeLocation(std::span<const std::uint8_t> bytes) {
    std::vector<std::uint8_t> block(bytes.begin(), bytes.end());
    const ExifLocationResult result = removeExifLocation(block);
    if (block.size() != bytes.size()) {
        __builtin_trap();
    }
    if (result != ExifLocationResult::Removed) {
        if (!std::equal(block.begin(), block.end(), bytes.begin())) {
            __builtin_trap();
        }
        return;
    }
    if (removeExifLocation(block) == ExifLocationResult::Removed) {
        __builtin_trap();
    }
}

// A filtered file is never longer than the file, and filtering it again changes nothing.
void filterMarkers(std::span<const std::uint8_t> bytes) {
    for (const MetadataChoice choice :
         {MetadataChoice::All, MetadataChoice::NoLocation, MetadataChoice::Profile}) {
        const auto filtered = jpegWithMetadata(bytes, choice);
        if (!filtered) {
            continue;
        }
        if (filtered->size() > bytes.size()) {
            __builtin_trap();
        }
        const auto again = jpegWithMetadata(*filtered, choice);
        if (!again || *again != *filtered) {
            __builtin_trap();
        }
    }
}

// Whatever a tail gave, the block written from it reads back as the same settings.
void readExtension(std::span<const std::uint8_t> bytes) {
    TProject first;
    readExtensionBlock(first, bytes);
    const std::vector<std::uint8_t> block = extensionBlock(first);
    TProject second;
    readExtensionBlock(second, block);
    if (second.ImageMetadata != first.ImageMetadata ||
        second.ThumbMetadata != first.ThumbMetadata ||
        second.UnknownExtensionLines != first.UnknownExtensionLines) {
        __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const std::span<const std::uint8_t> rest(data + 1, size - 1);
    switch (data[0] % 3) {
    case 0:
        removeLocation(rest);
        break;
    case 1:
        filterMarkers(rest);
        break;
    default:
        readExtension(rest);
        break;
    }
    return 0;
}
