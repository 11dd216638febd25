#pragma once

#include "filelist/FileOrder.h"

#include <string>
#include <vector>

namespace fotoplex {

// What a drop of files and folders on the file list comes to.
struct DroppedFiles {
    std::vector<std::string> pictures; // to add, in the order of the drop
    std::vector<std::string> refused;  // files no reader knows, each once, in the same order
};

// Sorts out dropped paths: a file whose extension a reader knows is a picture; a folder
// gives the pictures directly in it (not in its subfolders), ordered by name as `compare`
// orders names; every other file is refused. Hidden files inside a folder, and paths that
// name nothing, are passed over.
DroppedFiles sortOutDroppedPaths(const std::vector<std::string>& paths, const TextCompare& compare);

// The message that lists the refused files by name, at most `shown` of them.
std::string refusedFilesText(const std::vector<std::string>& refused, std::size_t shown = 20);

} // namespace fotoplex
