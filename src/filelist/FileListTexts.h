#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fotoplex {

// The two status-bar panels the file list writes.
inline constexpr int kCountPanel = 0;
inline constexpr int kSizePanel = 1;

inline constexpr const char* kFilesCountLabel = "Files Count: ";
inline constexpr const char* kTotalSizeLabel = "Total Size: ";

// "Files Count: 3"
std::string filesCountText(std::size_t count);

// "Total Size: 1234567 bytes (1205 Kbytes)"; the Kbytes truncate toward zero.
std::string totalSizeText(std::int64_t totalSize);

// "Cannot find directory /photos ."
std::string cannotFindDirectoryText(const std::string& folder);

} // namespace fotoplex
