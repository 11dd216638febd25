// Feeds arbitrary bytes to the Targa reader, header first, then the whole picture.
#include "FuzzLimits.h"
#include "engine/readers/Decode.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fotoplex::fuzzReader(data, size, fotoplex::decodeTga);
}
