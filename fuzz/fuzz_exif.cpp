// Feeds arbitrary bytes to the EXIF orientation reader and writer, and turns a small picture
// made from the bytes by the orientation they give.
#include "engine/Exif.h"
#include "engine/Orientation.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fotoplex;
    const std::span<const std::uint8_t> bytes(data, size);
    const auto orientation = readExifOrientation(bytes);
    std::vector<std::uint8_t> block(bytes.begin(), bytes.end());
    const bool set = setExifOrientationUpright(block);
    if (set != orientation.has_value() || block.size() != size) {
        __builtin_trap();
    }
    for (std::size_t i = 0; i < size; ++i) {
        if (block[i] != data[i] && block[i] > 1) {
            __builtin_trap(); // only the value bytes of an Orientation entry may change
        }
    }
    if (set && readExifOrientation(block) != 1) {
        __builtin_trap();
    }
    if (size >= 2) {
        const std::int32_t width = 1 + data[0] % 70;
        const std::int32_t height = 1 + data[1] % 70;
        for (const PixelFormat format : {PixelFormat::Rgb24, PixelFormat::Bilevel}) {
            Picture picture = makePicture(width, height, format);
            if (format == PixelFormat::Rgb24 && size > 2) {
                picture.alpha.assign(static_cast<std::size_t>(width * height), data[2]);
            }
            turnUpright(picture, orientation.value_or(static_cast<std::uint16_t>(data[1] % 10)));
            const bool swapped = picture.width != width;
            if (picture.pixels.size() !=
                    picture.rowBytes() * static_cast<std::size_t>(picture.height) ||
                (swapped && (picture.width != height || picture.height != width))) {
                __builtin_trap();
            }
        }
    }
    return 0;
}
