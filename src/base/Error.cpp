#include "base/Error.h"

#include <cstring>

namespace fotoplex {

Error cannotOpenFile(const std::string& path) {
    return Error("Cannot open file " + path);
}

Error cannotCreateFile(const std::string& path) {
    return Error("Cannot create file " + path);
}

Error cannotCreateFolder(const std::string& path) {
    return Error("Cannot create " + path);
}

std::string systemReason(int error) {
    char buffer[256] = {};
    // The GNU strerror_r, safe on the workers' threads.
    return ::strerror_r(error, buffer, sizeof buffer);
}

Error fileError(const std::string& text, const std::string& path, int error) {
    return Error(text + " " + path + ": " + systemReason(error));
}

Error cannotOpenFile(const std::string& path, int error) {
    return fileError("Cannot open file", path, error);
}

Error cannotCreateFile(const std::string& path, int error) {
    return fileError("Cannot create file", path, error);
}

std::string errorBoxText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') {
        return message + ".";
    }
    return message;
}

} // namespace fotoplex
