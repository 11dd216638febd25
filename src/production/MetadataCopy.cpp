#include "production/MetadataCopy.h"

#include "base/Error.h"
#include "base/FileUtil.h"
#include "engine/FileBytes.h"
#include "engine/FileMetadataCopy.h"

#include <fcntl.h>
#include <unistd.h>

namespace fotoplex {

namespace {

// Writes bytes beside path and renames them over it.
void writeWhole(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const std::string temporary = path + ".tmp" + std::to_string(::getpid());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        throw cannotCreateFile(path);
    }
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n <= 0) {
            break;
        }
        written += static_cast<std::size_t>(n);
    }
    const bool closed = ::close(fd) == 0;
    if (written != bytes.size() || !closed || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        throw cannotCreateFile(path);
    }
}

} // namespace

CopyOutcome CopyWithMetadata(const std::string& source, const std::string& destination,
                             MetadataChoice choice) {
    if (choice == MetadataChoice::All) {
        CopyFileReplacing(source, destination);
        return CopyOutcome::Copied;
    }
    const auto read = readFileBytes(source, kMaxFileBytes);
    if (!read || read->bytes.size() != read->fileSize) {
        throw cannotOpenFile(source);
    }
    // A rename over the source would replace it.
    if (SameFile(source, destination)) {
        throw cannotCreateFile(destination);
    }
    const auto filtered = fileWithMetadata(read->bytes, choice);
    if (!filtered) {
        ::unlink(destination.c_str());
        return CopyOutcome::LocationKept;
    }
    writeWhole(destination, *filtered);
    return CopyOutcome::Copied;
}

} // namespace fotoplex
