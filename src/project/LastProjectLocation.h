#pragma once

#include <string>

namespace fotoplex {

inline constexpr const char* kLastProjectName = "last.hgp";

// Where the project of the last session is kept: beside the program file when that folder
// is writable and not an installed program's bin folder, else in the user's data folder
// ($XDG_DATA_HOME/fotoplex, by default
// ~/.local/share/fotoplex). Start-up reads it from the same place closing writes it.
std::string lastProjectPath(const std::string& programFolder);

// The user's data folder for the program; empty when neither XDG_DATA_HOME nor HOME is set.
std::string userDataFolder();

// Makes sure the folder of `path` exists (creating the user's data folder on first use).
// Failures are left to the save that follows, which names the file.
void prepareLastProjectFolder(const std::string& path);

} // namespace fotoplex
