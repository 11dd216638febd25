#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fotoplex {

// Files larger than this are not read into memory; readers treat them as damaged.
inline constexpr std::uint64_t kMaxFileBytes = std::uint64_t{1} << 30;

struct FileBytes {
    std::vector<std::uint8_t> bytes;
    std::uint64_t fileSize = 0; // the whole file's size, even when fewer bytes were read
};

// The first `limit` bytes of a file (all of it when smaller); nothing when the file cannot
// be opened or read (errno then says why).
std::optional<FileBytes> readFileBytes(const std::string& path, std::uint64_t limit);

} // namespace fotoplex
