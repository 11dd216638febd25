#include "production/NameComparison.h"

#include "base/TextEncoding.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

namespace fotoplex {

namespace {

// File system types (statfs f_type) that do not tell letter case apart.
constexpr std::uint32_t kMsdosMagic = 0x4d44;
constexpr std::uint32_t kExfatMagic = 0x2011BAB0;
constexpr std::uint32_t kCifsMagic = 0xFF534D42;
constexpr std::uint32_t kSmb2Magic = 0xFE534D42;
constexpr std::uint32_t kSmbMagic = 0x517B;

std::string withDelimiter(const std::string& folder) {
    return folder.empty() || folder.back() == '/' ? folder : folder + "/";
}

enum class Probe { Folds, Exact, NotMade };

Probe probeCase(const std::string& folder) {
    std::random_device random;
    const std::string tag = std::to_string(::getpid()) + "-" + std::to_string(random());
    const std::string mixed = withDelimiter(folder) + ".Fotoplex-Case-" + tag;
    const std::string lower = withDelimiter(folder) + ".fotoplex-case-" + tag;
    const int fd = ::open(mixed.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        return Probe::NotMade;
    }
    ::close(fd);
    struct stat made {};
    struct stat found {};
    const bool folds = ::stat(mixed.c_str(), &made) == 0 && ::stat(lower.c_str(), &found) == 0 &&
                       made.st_dev == found.st_dev && made.st_ino == found.st_ino;
    ::unlink(mixed.c_str());
    return folds ? Probe::Folds : Probe::Exact;
}

bool typeFoldsCase(const std::string& folder) {
    struct statfs info {};
    if (::statfs(folder.c_str(), &info) != 0) {
        return false;
    }
    const auto type = static_cast<std::uint32_t>(info.f_type);
    return type == kMsdosMagic || type == kExfatMagic || type == kCifsMagic || type == kSmb2Magic ||
           type == kSmbMagic;
}

// The lower-case partner of an upper-case letter; other code points stay.
char32_t lowerLetter(char32_t c) {
    if ((c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ||
        (c >= 0x391 && c <= 0x3AB && c != 0x3A2) || (c >= 0x410 && c <= 0x42F)) {
        return c + 0x20;
    }
    if (c >= 0x400 && c <= 0x40F) {
        return c + 0x50;
    }
    // Latin Extended-A pairs an upper-case letter with the next code point.
    const bool evenUpper =
        (c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
    const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if ((evenUpper && c % 2 == 0) || (oddUpper && c % 2 == 1)) {
        return c + 1;
    }
    return c == 0x178 ? char32_t{0xFF} : c;
}

// Folds one character starting at name[i]; returns the bytes it took. Bytes that are not
// a two-byte UTF-8 sequence pass as they are (every letter folded lies below U+0800).
std::size_t foldOne(const std::string& name, std::size_t i, std::string& out) {
    const auto lead = static_cast<unsigned char>(name[i]);
    if (lead < 0x80) {
        out += static_cast<char>(lowerLetter(lead));
        return 1;
    }
    if ((lead & 0xE0) == 0xC0 && i + 1 < name.size() &&
        (static_cast<unsigned char>(name[i + 1]) & 0xC0) == 0x80) {
        const char32_t c = (char32_t{lead & 0x1Fu} << 6) | (name[i + 1] & 0x3F);
        appendUtf8(out, lowerLetter(c));
        return 2;
    }
    out += name[i];
    return 1;
}

} // namespace

NameComparison TargetNameComparison(const std::string& folder) {
    if (folder.empty()) {
        return NameComparison::Exact; // no target yet: nothing to look at
    }
    switch (probeCase(folder)) {
    case Probe::Folds:
        return NameComparison::FoldCase;
    case Probe::Exact:
        return NameComparison::Exact;
    case Probe::NotMade:
        break;
    }
    return typeFoldsCase(folder) ? NameComparison::FoldCase : NameComparison::Exact;
}

std::string ComparisonKey(const std::string& name, NameComparison comparison) {
    if (comparison == NameComparison::Exact) {
        return name;
    }
    std::string folded;
    folded.reserve(name.size());
    for (std::size_t i = 0; i < name.size();) {
        i += foldOne(name, i, folded);
    }
    return folded;
}

} // namespace fotoplex
