// Feeds arbitrary bytes to the PNG reader, header first, then the whole picture.
#include "FuzzLimits.h"
#include "engine/png/PngReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fotoplex::fuzzReader(data, size, fotoplex::decodePng);
}
