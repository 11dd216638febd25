// Feeds arbitrary bytes to the PCX reader, in header mode and in full.

#include "engine/readers/Decode.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    fotoplex::DecodedInfo header;
    fotoplex::Picture unused;
    fotoplex::decodePcx(bytes, unused, header, true);

    // Huge pictures take the same paths as small ones, only slower; the header is enough.
    if (std::int64_t{header.width} * header.height > (std::int64_t{1} << 22))
        return 0;

    fotoplex::DecodedInfo info;
    fotoplex::Picture picture;
    const auto result = fotoplex::decodePcx(bytes, picture, info, false);
    if (result.status != fotoplex::DecodeStatus::Failed &&
        (picture.pixels.size() != picture.rowBytes() * static_cast<std::size_t>(picture.height) ||
         info.width != header.width || info.height != header.height))
        __builtin_trap();
    return 0;
}
