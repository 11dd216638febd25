#include "project/ProjectFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/Error.h"
#include "base/Text.h"
#include "project/ProjectExtension.h"
#include "project/TProject.h"

namespace fotoplex {

namespace {

// A Text record holds a length byte and at most 254 characters.
constexpr std::size_t kRecordCharacters = kTextRecordSize - 1;

// The settings block in file order. `Io` is the writer or the reader; both see exactly the
// same sequence, so the two directions cannot drift apart.
template <typename Io, typename Project> void visitSettings(Io& io, Project& p) {
    io.text(p.TargetDir);
    io.text(p.SourceDir);
    io.text(p.BackgroundImagePath);
    io.flag(p.ConvertLow);
    io.flag(p.SortedList);
    io.text(p.ImageFolder);
    io.flag(p.ResizeImages);
    io.integer(p.ImgWidth);
    io.integer(p.ImgHeight);
    io.flag(p.KeepImgAspect);
    io.integer(p.JPEGQuality);
    io.integer(p.ImgResizeMethod);
    io.flag(p.ProgressiveImg);
    io.text(p.ThumbFolder);
    io.text(p.ThumbPrefix);
    io.text(p.ThumbSuffix);
    io.integer(p.ThumbWidth);
    io.integer(p.ThumbHeight);
    io.integer(p.ThumbQuality);
    io.integer(p.ThumbResizeMethod);
    // Four bytes: the flag, copies of the two flags that follow, and a zero.
    io.flagGroup(p.KeepThumbAspect, p.ProgressiveThumb, p.TableAutoWidth);
    io.flag(p.ProgressiveThumb);
    io.flag(p.TableAutoWidth);
    io.integer(p.Alignment);
    io.flag(p.TableWidthInPixels);
    io.flag(p.TableWidthInPercents);
    io.integer(p.TableWidthPx);
    io.integer(p.TableWidthPer);
    io.integer(p.TableBorder);
    io.integer(p.TableCols);
    io.integer(p.TableRows);
    io.integer(p.CellSpacing);
    io.integer(p.CellPadding);
    io.integer(p.NavFontSize);
    io.flag(p.JumpMenu);
    io.integer(p.MarginLeft);
    io.integer(p.MarginRight);
    io.integer(p.MarginTop);
    io.integer(p.MarginBottom);
    io.text(p.BorderColor);
    io.text(p.TableHeaderColor);
    io.text(p.TableHeaderTextColor);
    io.text(p.LinkColor);
    io.text(p.ActiveLinkColor);
    io.text(p.VisitedLinkColor);
    io.text(p.HoverColor);
    io.text(p.BackColor);
    io.text(p.TextColor);
    io.text(p.DocTitle);
    io.text(p.TopTitle);
    io.text(p.BottomTitle);
    io.integer(p.TopTitleSize);
    io.integer(p.BottomTitleSize);
    io.text(p.PageText);
    io.text(p.GalleryText);
    io.text(p.PreviousText);
    io.text(p.NextText);
    io.text(p.OfText);
    io.text(p.JumpToText);
    io.integer(p.Encoding);
    io.integer(p.FontFamily);
    io.integer(p.LinksTarget);
    io.integer(p.OverwriteMode);
    io.flag(p.ShowWhenReady);
}

// Builds the whole file in memory; it is small.
class Writer {
public:
    std::vector<std::uint8_t> bytes;

    void integer(std::int32_t value) {
        const auto u = static_cast<std::uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8) {
            bytes.push_back(static_cast<std::uint8_t>((u >> shift) & 0xFF));
        }
    }
    void flag(bool value) { bytes.push_back(value ? 1 : 0); }
    void flagGroup(bool first, bool second, bool third) {
        flag(first);
        flag(second);
        flag(third);
        bytes.push_back(0);
    }
    void text(const std::string& value) {
        const std::string kept = limitText(value, kRecordCharacters);
        bytes.push_back(static_cast<std::uint8_t>(kept.size()));
        bytes.insert(bytes.end(), kept.begin(), kept.end());
        bytes.insert(bytes.end(), kRecordCharacters - kept.size(), 0);
    }
};

// Reads field by field; once the file runs out every later field keeps its value.
class Reader {
public:
    explicit Reader(std::istream& in) : in_(in) {}

    bool atEnd() const { return ended_; }

    void integer(std::int32_t& value) {
        std::array<std::uint8_t, 4> b{};
        if (read(b.data(), b.size())) {
            value = static_cast<std::int32_t>(b[0] | (b[1] << 8) | (b[2] << 16) |
                                              (static_cast<std::uint32_t>(b[3]) << 24));
        }
    }
    void flag(bool& value) {
        std::uint8_t b = 0;
        if (read(&b, 1)) {
            value = b != 0;
        }
    }
    void flagGroup(bool& first, bool&, bool&) {
        std::array<std::uint8_t, 4> b{};
        if (read(b.data(), b.size())) {
            first = b[0] != 0;
        }
    }
    void text(Text& value) {
        std::string result;
        if (readRecord(result)) {
            value = result;
        }
    }
    bool readRecord(std::string& result) {
        std::array<char, kTextRecordSize> record{};
        if (!read(reinterpret_cast<std::uint8_t*>(record.data()), record.size())) {
            return false;
        }
        // A length byte of 255 cannot be honoured by a 255-byte record: take all 254.
        const std::size_t length =
            std::min<std::size_t>(static_cast<std::uint8_t>(record[0]), kRecordCharacters);
        result.assign(record.data() + 1, length);
        return true;
    }
    // Whatever follows, at most `limit` bytes.
    std::vector<std::uint8_t> rest(std::size_t limit) {
        std::vector<std::uint8_t> bytes;
        std::array<char, 4096> chunk{};
        while (!ended_ && bytes.size() < limit) {
            const std::size_t want = std::min(chunk.size(), limit - bytes.size());
            in_.read(chunk.data(), static_cast<std::streamsize>(want));
            const auto got = static_cast<std::size_t>(in_.gcount());
            bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + static_cast<long>(got));
            ended_ = got != want;
        }
        return bytes;
    }

private:
    bool read(std::uint8_t* into, std::size_t count) {
        if (ended_) {
            return false;
        }
        in_.read(reinterpret_cast<char*>(into), static_cast<std::streamsize>(count));
        if (static_cast<std::size_t>(in_.gcount()) != count) {
            ended_ = true;
        }
        return !ended_;
    }

    std::istream& in_;
    bool ended_ = false;
};

std::vector<std::uint8_t> layout(const TProject& project) {
    Writer writer;
    writer.integer(static_cast<std::int32_t>(project.Files.size()));
    for (const std::string& file : project.Files) {
        writer.text(file);
    }
    visitSettings(writer, project);
    const std::vector<std::uint8_t> extension = extensionBlock(project);
    writer.bytes.insert(writer.bytes.end(), extension.begin(), extension.end());
    return writer.bytes;
}

// The file that a save really replaces: a link is followed so that it stays a link.
std::filesystem::path saveTarget(const std::string& path) {
    std::error_code ec;
    std::filesystem::path target(path);
    if (std::filesystem::is_symlink(target, ec)) {
        const auto resolved = std::filesystem::canonical(target, ec);
        if (!ec) {
            return resolved;
        }
    }
    return target;
}

// Removes the temporary file unless the save went through.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
    ~TemporaryFile() {
        if (!path_.empty()) {
            std::remove(path_.c_str());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::string& path() const { return path_; }
    void keep() { path_.clear(); }

private:
    std::string path_;
};

bool writeAll(int fd, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

mode_t newFileMode(const std::filesystem::path& target) {
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        return existing.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Only a missing file or a writable regular file may be replaced; a read-only file counts
// as not writable even for a user whom the system would let through.
bool replaceableTarget(const std::filesystem::path& target) {
    struct stat existing {};
    if (::lstat(target.c_str(), &existing) != 0) {
        return errno == ENOENT;
    }
    return S_ISREG(existing.st_mode) && (existing.st_mode & S_IWUSR) != 0 &&
           ::access(target.c_str(), W_OK) == 0;
}

} // namespace

void writeProjectFile(const TProject& project, const std::string& path) {
    const std::filesystem::path target = saveTarget(path);
    if (path.empty() || !replaceableTarget(target)) {
        throw cannotCreateFile(path);
    }

    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    // Built by appending: GCC 12 at -O3 reports a false overlap for "literal" + temporary.
    std::string hiddenName = ".";
    hiddenName += target.filename().string();
    hiddenName += ".XXXXXX";
    std::string pattern = (folder / hiddenName).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        throw cannotCreateFile(path, errno);
    }
    TemporaryFile temporary(pattern);

    const std::vector<std::uint8_t> bytes = layout(project);
    const bool written = writeAll(fd, bytes) && ::fchmod(fd, newFileMode(target)) == 0 &&
                         ::fsync(fd) == 0;
    const int writeError = written ? 0 : errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        throw fileError("Cannot write file", path, written ? errno : writeError);
    }
    if (::rename(temporary.path().c_str(), target.c_str()) != 0) {
        throw cannotCreateFile(path, errno);
    }
    temporary.keep();
}

void readProjectFile(TProject& project, const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        throw cannotOpenFile(path, EISDIR);
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw cannotOpenFile(path, errno);
    }
    Reader reader(in);
    project.Files.clear();

    std::int32_t count = 0;
    reader.integer(count);
    // Records are appended as they are read: a huge count costs nothing up front.
    for (std::int32_t i = 0; i < count && !reader.atEnd(); ++i) {
        std::string file;
        if (reader.readRecord(file)) {
            project.Files.push_back(file);
        }
    }
    visitSettings(reader, project);
    // Only a file that holds the whole settings block says anything about the extension
    // settings; one byte past the largest block is enough to see that a tail is too long.
    if (!reader.atEnd()) {
        readExtensionBlock(project, reader.rest(kExtensionHeaderSize + kMaxExtensionText + 1));
    }
}

} // namespace fotoplex
