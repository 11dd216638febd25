#include "base/WholeFile.h"

#include "base/Error.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace fotoplex {

namespace {

constexpr int kNameAttempts = 16;

// A symbolic link at the final name stays a link: its target is what gets replaced.
std::string followLink(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
        return path;
    }
    std::error_code ec;
    const std::filesystem::path target = std::filesystem::weakly_canonical(path, ec);
    return ec ? path : target.string();
}

std::string folderOf(const std::string& path) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

std::string hiddenName() {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::random_device random;
    std::string name = ".fotoplex-";
    for (int i = 0; i < 4; ++i) {
        const unsigned value = random();
        for (int shift = 0; shift < 32; shift += 8) {
            name += kDigits[(value >> (shift + 4)) & 0xF];
            name += kDigits[(value >> shift) & 0xF];
        }
    }
    return name + ".tmp";
}

} // namespace

FileReplacement::FileReplacement(const std::string& path, std::string writeFailure)
    : path_(followLink(path)), shown_(path), writeFailure_(std::move(writeFailure)) {
    struct stat existing {};
    const bool exists = ::stat(path_.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) {
        throw fileError("Cannot create file", shown_, S_ISDIR(existing.st_mode) ? EISDIR : EINVAL);
    }
    const std::string folder = folderOf(path_);
    for (int attempt = 0; attempt < kNameAttempts && fd_ < 0; ++attempt) {
        const std::string candidate = folder + "/" + hiddenName();
        fd_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            temporary_ = candidate;
        } else if (errno != EEXIST) {
            throw fileError("Cannot create file", shown_, errno);
        }
    }
    if (fd_ < 0) {
        throw fileError("Cannot create file", shown_, EEXIST);
    }
    if (exists) {
        ::fchmod(fd_, (existing.st_mode & 07777) | S_IWUSR);
    }
}

FileReplacement::~FileReplacement() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
    }
}

void FileReplacement::fail(const std::string& text, int error) {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    ::unlink(temporary_.c_str());
    temporary_.clear();
    throw fileError(text, shown_, error);
}

void FileReplacement::write(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(fd_, bytes, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            fail(writeFailure_, written < 0 ? errno : ENOSPC);
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
}

void FileReplacement::commit() {
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        fail(writeFailure_, errno);
    }
    if (::rename(temporary_.c_str(), path_.c_str()) != 0) {
        fail("Cannot create file", errno);
    }
    temporary_.clear();
}

void WriteFileWhole(const std::string& path, std::string_view bytes,
                    const std::string& writeFailure) {
    FileReplacement file(path, writeFailure);
    file.write(bytes.data(), bytes.size());
    file.commit();
}

} // namespace fotoplex
