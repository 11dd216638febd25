#include "base/Error.h"

namespace fotoplex {

Error cannotOpenFile(const std::string& path) { return Error("Cannot open file " + path); }

Error cannotCreateFile(const std::string& path) { return Error("Cannot create file " + path); }

Error cannotCreateFolder(const std::string& path) { return Error("Cannot create " + path); }

std::string errorBoxText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') {
        return message + ".";
    }
    return message;
}

} // namespace fotoplex
