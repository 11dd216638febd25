#pragma once

#include <optional>

namespace fotoplex {

// Both programs answer "PROGRAM --version" with the program's name and VersionText on
// standard output, before anything else starts (the window needs no display for it).
// Returns the exit status when the request was answered, nothing otherwise.
std::optional<int> AnswerVersionRequest(const char* program, int argc, const char* const* argv);

} // namespace fotoplex
