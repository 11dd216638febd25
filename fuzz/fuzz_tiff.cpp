// Feeds arbitrary bytes to the TIFF reader, header first, then the whole picture.
#include "FuzzLimits.h"
#include "engine/tiff/TiffReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fotoplex;
    const std::span<const std::uint8_t> bytes(data, size);
    Picture picture;
    DecodedInfo info;
    if (decodeTiff(bytes, picture, info, true).status == DecodeStatus::Failed ||
        !smallEnoughToFuzz(info)) {
        return 0;
    }
    const DecodeResult result = decodeTiff(bytes, picture, info, false);
    if (result.status != DecodeStatus::Failed &&
        picture.pixels.size() != picture.rowBytes() * static_cast<std::size_t>(picture.height)) {
        __builtin_trap();
    }
    return 0;
}
