#pragma once

#include <stdexcept>
#include <string>

namespace fotoplex {

// The one error type of the program. Its message is exactly what the error box shows
// (the box adds a final "." where needed).
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// "Cannot open file %s" and friends, formed in one place.
Error cannotOpenFile(const std::string& path);
Error cannotCreateFile(const std::string& path);
Error cannotCreateFolder(const std::string& path);

// The same texts with the system's reason for errno value `error` after the path:
// "Cannot create file /g/main.css: No space left on device".
Error cannotOpenFile(const std::string& path, int error);
Error cannotCreateFile(const std::string& path, int error);
Error fileError(const std::string& text, const std::string& path, int error);

// The system's words for an errno value ("Permission denied").
std::string systemReason(int error);

// The text an error box shows: the message, followed by "." when its last character
// sorts after ".".
std::string errorBoxText(const std::string& message);

} // namespace fotoplex
