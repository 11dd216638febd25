// Feeds arbitrary bytes to the JPEG reader, header first, then the whole picture.
#include "FuzzLimits.h"
#include "engine/jpeg/JpegReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fotoplex;
    const std::span<const std::uint8_t> bytes(data, size);
    Picture picture;
    DecodedInfo info;
    JpegDetails details;
    if (decodeJpeg(bytes, picture, info, details, true).status == DecodeStatus::Failed ||
        !smallEnoughToFuzz(info)) {
        return 0;
    }
    const DecodeResult result = decodeJpeg(bytes, picture, info, details, false);
    if (result.status != DecodeStatus::Failed &&
        picture.pixels.size() != picture.rowBytes() * static_cast<std::size_t>(picture.height)) {
        __builtin_trap();
    }
    return 0;
}
