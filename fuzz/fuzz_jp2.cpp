// Feeds arbitrary bytes to the JPEG 2000 reader, header first, then the whole picture.
#include "FuzzLimits.h"
#include "engine/jp2/Jp2Reader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fotoplex::fuzzReader(data, size, fotoplex::decodeJp2);
}
