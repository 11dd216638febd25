#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fotoplex {

// A picture file read in small pieces at chosen offsets, for looking at its metadata without
// reading its pixels. Each read is capped, and so is the number of reads and bytes per file,
// so that no header (however it is made) can make us read much of a file or loop for long.
class BoundedFile {
public:
    // The most one read returns, and the budget of one file.
    static constexpr std::size_t kMaxRead = std::size_t{1} << 20;
    static constexpr int kMaxReads = 4096;
    static constexpr std::uint64_t kMaxBytes = std::uint64_t{4} << 20;

    explicit BoundedFile(const std::string& path);
    ~BoundedFile();
    BoundedFile(const BoundedFile&) = delete;
    BoundedFile& operator=(const BoundedFile&) = delete;

    // False when the path is no regular file that can be opened.
    bool isOpen() const { return descriptor_ >= 0; }
    std::uint64_t size() const { return size_; }

    // Exactly `count` bytes at `offset`; nothing when they lie past the end, exceed a cap or
    // the budget is spent.
    std::optional<std::vector<std::uint8_t>> read(std::uint64_t offset, std::size_t count);

private:
    int descriptor_ = -1;
    std::uint64_t size_ = 0;
    int reads_ = 0;
    std::uint64_t bytesRead_ = 0;
};

} // namespace fotoplex
