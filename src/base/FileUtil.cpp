#include "base/FileUtil.h"

#include "base/Error.h"

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

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

void clearReadOnly(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
        (info.st_mode & S_IWUSR) == 0) {
        ::chmod(path.c_str(), (info.st_mode & 07777) | S_IWUSR);
    }
}

// Opens path for writing without emptying it; non-blocking so that a named pipe fails
// instead of waiting for a reader. Only regular files are accepted.
int openForWriting(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        return fd;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void copyBytes(const FileHandle& in, const FileHandle& out, const std::string& source,
               const std::string& destination) {
    std::vector<char> buffer(256 * 1024);
    for (;;) {
        const ssize_t got = ::read(in.get(), buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw cannotOpenFile(source);
        }
        if (got == 0) {
            return;
        }
        if (!writeAll(out.get(), buffer.data(), static_cast<std::size_t>(got))) {
            throw cannotCreateFile(destination);
        }
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
    struct stat sourceInfo {};
    if (!in.isOpen() || ::fstat(in.get(), &sourceInfo) != 0 || !S_ISREG(sourceInfo.st_mode)) {
        throw cannotOpenFile(source);
    }

    // Refuse a copy onto the source before its attributes or bytes could be touched.
    struct stat destinationInfo {};
    if (::stat(destination.c_str(), &destinationInfo) == 0 &&
        sameFile(sourceInfo, destinationInfo)) {
        throw cannotCreateFile(destination);
    }
    clearReadOnly(destination);

    FileHandle out(openForWriting(destination));
    if (!out.isOpen()) {
        throw cannotCreateFile(destination);
    }
    // Checked again on the open file, so a link made in between cannot empty the source.
    if (::fstat(out.get(), &destinationInfo) != 0 || sameFile(sourceInfo, destinationInfo) ||
        ::ftruncate(out.get(), 0) != 0) {
        throw cannotCreateFile(destination);
    }
    // From here the destination is ours: a copy that fails part way is removed again, so
    // that no cut file stays behind.
    try {
        copyBytes(in, out, source, destination);
        if (!out.close()) {
            throw cannotCreateFile(destination);
        }
    } catch (const Error&) {
        ::unlink(destination.c_str());
        throw;
    }
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
    FileHandle out(openForWriting(path));
    if (!out.isOpen() || ::ftruncate(out.get(), 0) != 0 ||
        !writeAll(out.get(), content.data(), content.size()) || !out.close()) {
        throw cannotCreateFile(path);
    }
}

} // namespace fotoplex
