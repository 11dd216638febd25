// Feeds arbitrary bytes to the Targa reader, header first, then the whole picture.
#include "FuzzLimits.h"
#include "engine/readers/Decode.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fotoplex;
    const std::span<const std::uint8_t> bytes(data, size);
    Picture picture;
    DecodedInfo info;
    if (decodeTga(bytes, picture, info, true).status == DecodeStatus::Failed ||
        !smallEnoughToFuzz(info)) {
        return 0;
    }
    const DecodeResult result = decodeTga(bytes, picture, info, false);
    if (result.status != DecodeStatus::Failed &&
        (picture.pixels.size() != picture.rowBytes() * static_cast<std::size_t>(picture.height) ||
         (!picture.alpha.empty() &&
          picture.alpha.size() != static_cast<std::size_t>(picture.width) * picture.height))) {
        __builtin_trap();
    }
    return 0;
}
