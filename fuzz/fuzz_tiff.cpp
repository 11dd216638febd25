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
    if (decodeTiff(bytes, picture, info, true).status == DecodeStatus::Failed) {
        return 0;
    }
    if (decodeTiff(bytes, picture, info, false).status != DecodeStatus::Failed) {
        checkPicture(picture, size);
    }
    return 0;
}
