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
    if (decodeJpeg(bytes, picture, info, details, true).status == DecodeStatus::Failed) {
        return 0;
    }
    if (decodeJpeg(bytes, picture, info, details, false).status != DecodeStatus::Failed) {
        checkPicture(picture, size);
    }
    return 0;
}
