#pragma once

#include <string>

namespace fotoplex {

// The path under which a listed source can be opened. A path stored lower-cased on a
// case-sensitive file system is found again by a case-insensitive match.
std::string ResolveSourcePath(const std::string& storedPath);

// True when the listed source is a file that exists.
bool SourceExists(const std::string& storedPath);

} // namespace fotoplex
