#pragma once

#include <cstdint>
#include <string>

namespace fotoplex {

// What tells one state of a file from another without reading it: size, modification and
// change time, and which file it is (device and inode). A file replaced by another (renamed
// over it) or written again, even with its modification time set back, gets another stamp.
struct FileStamp {
    std::int64_t size = -1;    // -1: no regular file
    std::int64_t modified = 0; // nanoseconds
    std::int64_t changed = 0;  // nanoseconds
    std::uint64_t device = 0;
    std::uint64_t inode = 0;

    bool exists() const { return size >= 0; }
    bool operator==(const FileStamp&) const = default;

    // The stamp of the regular file at path now; size -1 when there is none.
    static FileStamp of(const std::string& path);
};

} // namespace fotoplex
