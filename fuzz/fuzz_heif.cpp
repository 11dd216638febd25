// Feeds arbitrary bytes to the HEIF/AVIF reader, header first, then the whole picture.
#include "FuzzLimits.h"
#include "engine/heif/HeifReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fotoplex::fuzzReader(data, size, fotoplex::decodeHeif);
}
