#include "base/FileUtil.h"

#include "base/Error.h"
#include "base/WholeFile.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fotoplex {

namespace {

// Owns one open file descriptor.
class FileHandle {
public:
    explicit FileHandle(int fd) : fd_(fd) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }

    bool isOpen() const { return fd_ >= 0; }
    int get() const { return fd_; }

    // Closes now and reports whether the close succeeded (a late write error shows here).
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

void copyBytes(const FileHandle& in, FileReplacement& out, const std::string& source) {
    std::vector<char> buffer(256 * 1024);
    for (;;) {
        const ssize_t got = ::read(in.get(), buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw cannotOpenFile(source, errno);
        }
        if (got == 0) {
            return;
        }
        out.write(buffer.data(), static_cast<std::size_t>(got));
    }
}

} // namespace

std::int32_t FileSizeByName(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) {
        return 0;
    }
    if (info.st_size > INT32_MAX) {
        return INT32_MAX;
    }
    return static_cast<std::int32_t>(info.st_size);
}

bool RegularFileExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool SameFile(const std::string& first, const std::string& second) {
    struct stat a {};
    struct stat b {};
    return ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 && sameFile(a, b);
}

bool IsReadOnlyFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && (info.st_mode & S_IWUSR) == 0;
}

void CopyFileReplacing(const std::string& source, const std::string& destination) {
    FileHandle in(::open(source.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!in.isOpen()) {
        throw cannotOpenFile(source, errno);
    }
    struct stat sourceInfo {};
    if (::fstat(in.get(), &sourceInfo) != 0) {
        throw cannotOpenFile(source, errno);
    }
    if (!S_ISREG(sourceInfo.st_mode)) {
        throw cannotOpenFile(source, S_ISDIR(sourceInfo.st_mode) ? EISDIR : EINVAL);
    }
    // Refuse a copy onto the source before anything could be touched. The copy is written
    // beside the destination and renamed over it, so the source's bytes are never opened
    // for writing, whatever links lead to it.
    struct stat destinationInfo {};
    if (::stat(destination.c_str(), &destinationInfo) == 0 &&
        sameFile(sourceInfo, destinationInfo)) {
        throw cannotCreateFile(destination);
    }
    FileReplacement out(destination);
    copyBytes(in, out, source);
    out.commit();
}

namespace {

// True when a regular file at path holds exactly these bytes.
bool holdsExactly(const std::string& path, const std::string& content) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec) ||
        std::filesystem::file_size(path, ec) != content.size() || ec) {
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    std::string bytes(content.size(), '\0');
    return in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())) && bytes == content;
}

} // namespace

void WriteTextLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string content;
    for (const std::string& line : lines) {
        content += line;
        content += "\r\n";
    }
    if (IsReadOnlyFile(path)) {
        throw cannotCreateFile(path);
    }
    if (holdsExactly(path, content)) {
        return; // untouched, so its modification time says it did not change
    }
    WriteFileWhole(path, content);
}

} // namespace fotoplex
