#pragma once

#include <filesystem>
#include <optional>

namespace fotoplex {

// The files the programs read at run time (the user guide, the sample photographs) live in
// share/fotoplex, found from the program file's own folder: <prefix>/bin/../share/fotoplex
// when installed, <build>/share/fotoplex when run from a build folder (<build>/src/cli,
// <build>/src/app, <build>/tests/...). Nothing is looked up through a fixed absolute path.

// The folder that holds the running program file; empty when it cannot be told.
std::filesystem::path programFolder();

// The resource folder that belongs to a program in `programFolder`, if there is one.
std::optional<std::filesystem::path> findResourceFolder(const std::filesystem::path& programFolder);

// True for a program installed under a prefix: it sits in <prefix>/bin beside
// <prefix>/share/fotoplex. Such a program never writes into its own folder.
bool isInstalledProgram(const std::filesystem::path& programFolder);

// The running program's resource folder; raises an error naming where it was looked for.
std::filesystem::path resourceFolder();

} // namespace fotoplex
