#include "engine/FileBytes.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <sys/stat.h>

namespace fotoplex {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

std::optional<FileBytes> readFileBytes(const std::string& path, std::uint64_t limit) {
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return std::nullopt;
    }
    struct stat status {};
    if (fstat(fileno(file.get()), &status) != 0 || S_ISDIR(status.st_mode)) {
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
