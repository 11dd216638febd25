#pragma once

#include <cstdint>
#include <map>
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

// The same resolution for many paths in a row, as an image job makes for each listed file:
// each folder that has to be searched is read once and remembered, instead of once per path.
// A folder is read again when a name is not found in what was remembered of it, or the name
// found is gone. Keep one for the length of one batch: a name that appears meanwhile beside
// one already found, differing only in case, is not noticed.
class SourcePathResolver {
public:
    std::string resolve(const std::string& path);

private:
    // Lower-cased name to the first real name in byte order, for one folder.
    using Listing = std::map<std::string, std::string>;

    const std::string* findIgnoringCase(const std::string& folder, const std::string& name);

    std::map<std::string, Listing> folders_;
};

// The size in bytes of the listed source: of the file found for the path (resolved as above),
// 0 when nothing is found or the path names a folder. Never fails. Unlike a 32-bit size it
// does not wrap for files beyond 2 GiB.
std::int64_t listedFileSize(const std::string& path);

} // namespace fotoplex
