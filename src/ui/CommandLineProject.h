#pragma once

#include <optional>
#include <string>
#include <vector>

namespace fotoplex {

// The project file named on the window's command line (the desktop entry passes the files
// chosen in the file manager): the first word that is not an option, made absolute as the
// open dialog would give it. A word "--" ends the options. Later files are not opened: the
// window holds one project.
std::optional<std::string> projectToOpen(const std::vector<std::string>& arguments);

} // namespace fotoplex
