// Feeds arbitrary bytes to the date-taken reader, as a whole picture file (JPEG, TIFF, PNG,
// WebP, HEIF headers are walked by their markers, chunks and boxes) and as a bare EXIF block.
#include "engine/dates/DateTaken.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fotoplex;
    const auto utc = [](std::int64_t) { return std::int64_t{0}; };
    // A file in memory: the reader opens files by name.
    const int descriptor = memfd_create("fuzz-date-taken", 0);
    if (descriptor < 0) {
        return 0;
    }
    if (size == 0 || write(descriptor, data, size) == static_cast<ssize_t>(size)) {
        const std::string path = "/proc/self/fd/" + std::to_string(descriptor);
        const auto moment = readDateTaken(path, utc);
        const auto dates = readExifDatesOfFile(path);
        if (moment && (!dates || dateTaken(*dates, utc) != moment)) {
            __builtin_trap();
        }
    }
    close(descriptor);
    const auto block = readExifDates(ExifBlock::held({data, data + size}));
    if (block) {
        (void)dateTaken(*block, utc);
    }
    return 0;
}
