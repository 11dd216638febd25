#pragma once

#include <cstdint>
#include <string>

namespace fotoplex {

// Finds the file a listed source path names. With "Convert filenames to lowerspace" on, the
// list stores paths lower-cased, which on a case-sensitive file system may name nothing.
// Returns the path unchanged when it exists; otherwise walks it component by component and,
// where a component does not exist as written, takes the entry of that folder whose name is
// the same apart from the letter case of A to Z (the first such name in byte order when
// several qualify). When no such entry exists at some step, the path is returned unchanged,
// so that an error names what the list shows.
//
// Every place that opens or tests a listed source goes through this.
std::string resolveSourcePath(const std::string& path);

// The size in bytes of the listed source: of the file found for the path (resolved as above),
// 0 when nothing is found or the path names a folder. Never fails. Unlike a 32-bit size it
// does not wrap for files beyond 2 GiB.
std::int64_t listedFileSize(const std::string& path);

} // namespace fotoplex
