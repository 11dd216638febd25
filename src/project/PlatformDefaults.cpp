#include "project/PlatformDefaults.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fotoplex {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// Reads XDG_DOCUMENTS_DIR="$HOME/..." from the user-dirs file, if there is one.
std::string documentsFromUserDirs(const std::string& home) {
    std::string configHome = environment("XDG_CONFIG_HOME");
    if (configHome.empty()) {
        configHome = home + "/.config";
    }
    std::ifstream in(configHome + "/user-dirs.dirs");
    const std::string key = "XDG_DOCUMENTS_DIR=";
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(key, 0) != 0) {
            continue;
        }
        std::string value = line.substr(key.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            value = value.substr(1, value.size() - 2);
        }
        if (value.rfind("$HOME", 0) == 0) {
            value = home + value.substr(5);
        }
        return value;
    }
    return {};
}

std::string documentsFolder() {
    const std::string home = environment("HOME");
    std::string folder = environment("XDG_DOCUMENTS_DIR");
    if (folder.empty() && !home.empty()) {
        folder = documentsFromUserDirs(home);
    }
    std::error_code ec;
    if (!folder.empty() && std::filesystem::is_directory(folder, ec)) {
        return folder;
    }
    if (!home.empty()) {
        const std::string documents = home + "/Documents";
        if (std::filesystem::is_directory(documents, ec)) {
            return documents;
        }
        return home;
    }
    return "/";
}

} // namespace

PlatformDefaults platformDefaults() {
#ifdef _WIN32
    return {"C:\\My Documents", "img\\", "thumbs\\", 18};
#else
    return {documentsFolder(), "img/", "thumbs/", 17};
#endif
}

} // namespace fotoplex
