#pragma once

#include <string>

namespace fotoplex {

class TProject;

// Size of the settings block that follows the file list.
inline constexpr int kSettingsBlockSize = 6498;
inline constexpr int kTextRecordSize = 255;

// Writes the project's file list and settings to `path` in the .hgp layout. The file is
// written beside the target under a temporary name and renamed over it, so a failed write
// leaves the previous file as it was.
void writeProjectFile(const TProject& project, const std::string& path);

// Reads a .hgp file into `project`: Files is replaced, every settings field the file
// reaches is replaced, the others keep their values. A short or cut file is not an error.
void readProjectFile(TProject& project, const std::string& path);

} // namespace fotoplex
