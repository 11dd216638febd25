#include "engine/FileBytes.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace fotoplex {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

std::optional<FileBytes> readFileBytes(const std::string& path, std::uint64_t limit) {
    // Opened without waiting, so that a pipe or device under a picture's name cannot hang us;
    // only regular files are read.
    const int descriptor = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        return std::nullopt;
    }
    const std::unique_ptr<std::FILE, FileCloser> file(fdopen(descriptor, "rb"));
    if (!file) {
        close(descriptor);
        return std::nullopt;
    }
    struct stat status {};
    if (fstat(descriptor, &status) != 0) {
        return std::nullopt;
    }
    if (!S_ISREG(status.st_mode)) {
        errno = S_ISDIR(status.st_mode) ? EISDIR : EINVAL; // the reason a caller reports
        return std::nullopt;
    }
    FileBytes result;
    result.fileSize = static_cast<std::uint64_t>(status.st_size);
    result.bytes.resize(static_cast<std::size_t>(std::min(limit, result.fileSize)));
    const std::size_t got = std::fread(result.bytes.data(), 1, result.bytes.size(), file.get());
    if (got != result.bytes.size() && std::ferror(file.get()) != 0) {
        return std::nullopt;
    }
    result.bytes.resize(got);
    return result;
}

} // namespace fotoplex
