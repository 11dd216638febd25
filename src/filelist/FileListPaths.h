#pragma once

#include <string>

namespace fotoplex {

inline constexpr char kPathDelimiter = '/';

// The last component of a path: what a row of the file list shows.
std::string fileNameOf(const std::string& path);

// The path without its last component and without a trailing delimiter; "/" for a file in
// the root folder, empty for a bare file name.
std::string folderOf(const std::string& path);

} // namespace fotoplex
