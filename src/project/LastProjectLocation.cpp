#include "project/LastProjectLocation.h"

#include "base/ResourceFolder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace fotoplex {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

bool isWritableFolder(const std::string& folder) {
    std::error_code ec;
    if (folder.empty() || !std::filesystem::is_directory(folder, ec)) {
        return false;
    }
#ifdef _WIN32
    return _access(folder.c_str(), 2) == 0;
#else
    return access(folder.c_str(), W_OK | X_OK) == 0;
#endif
}

std::string joined(const std::string& folder, const std::string& name) {
    return (std::filesystem::path(folder) / name).string();
}

} // namespace

std::string userDataFolder() {
    std::string base = environment("XDG_DATA_HOME");
    if (base.empty()) {
        const std::string home = environment("HOME");
        if (home.empty()) {
            return {};
        }
        base = joined(home, ".local/share");
    }
    return joined(base, "fotoplex");
}

std::string lastProjectPath(const std::string& programFolder) {
    // An installed program's folder belongs to the package manager, even when the user
    // (root) could write into it.
    if (!isInstalledProgram(programFolder) && isWritableFolder(programFolder)) {
        return joined(programFolder, kLastProjectName);
    }
    const std::string data = userDataFolder();
    if (data.empty()) {
        return joined(programFolder, kLastProjectName);
    }
    return joined(data, kLastProjectName);
}

void prepareLastProjectFolder(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty()) {
        return;
    }
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
}

} // namespace fotoplex
