// Feeds arbitrary bytes to the header reading: signature recognition, then the recognised
// format's reader in header mode.
#include "engine/FileHeader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fotoplex::FileHeader header = fotoplex::headerFromBytes({data, size});
    if (header.format == fotoplex::FileFormat::Unknown && header.info.width != 0) {
        __builtin_trap();
    }
    return 0;
}
