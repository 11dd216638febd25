#include "engine/dates/BoundedFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fotoplex {

BoundedFile::BoundedFile(const std::string& path) {
    // Opened without waiting, so that a pipe under a picture's name cannot hang us.
    const int descriptor = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        return;
    }
    struct stat status {};
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(descriptor);
        return;
    }
    descriptor_ = descriptor;
    size_ = static_cast<std::uint64_t>(status.st_size);
}

BoundedFile::~BoundedFile() {
    if (descriptor_ >= 0) {
        close(descriptor_);
    }
}

std::optional<std::vector<std::uint8_t>> BoundedFile::read(std::uint64_t offset,
                                                           std::size_t count) {
    if (!isOpen() || count > kMaxRead || offset > size_ || size_ - offset < count ||
        reads_ >= kMaxReads || bytesRead_ + count > kMaxBytes) {
        return std::nullopt;
    }
    ++reads_;
    bytesRead_ += count;
    std::vector<std::uint8_t> bytes(count);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = pread(descriptor_, bytes.data() + done, count - done,
                                  static_cast<off_t>(offset + done));
        if (got <= 0) {
            return std::nullopt;
        }
        done += static_cast<std::size_t>(got);
    }
    return bytes;
}

} // namespace fotoplex
