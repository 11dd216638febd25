#include "base/ResourceFolder.h"

#include "base/Error.h"

#include <array>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace fotoplex {

namespace {

const std::filesystem::path kShareFolder = std::filesystem::path("share") / "fotoplex";

// Installed first: a build folder's layout must never shadow an installed program's.
std::array<std::filesystem::path, 2> candidates(const std::filesystem::path& programFolder) {
    return {programFolder.parent_path() / kShareFolder,
            programFolder.parent_path().parent_path() / kShareFolder};
}

// Absolute, normal, without a trailing separator; empty when it cannot be made absolute.
std::filesystem::path normalFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::path normal = std::filesystem::absolute(folder, ec).lexically_normal();
    if (ec) {
        return {};
    }
    if (!normal.has_filename() && normal.has_relative_path()) {
        normal = normal.parent_path();
    }
    return normal;
}

} // namespace

std::filesystem::path programFolder() {
    std::error_code ec;
#ifdef _WIN32
    wchar_t buffer[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    const std::filesystem::path self(std::wstring(buffer, length));
#else
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
#endif
    if (ec || self.empty()) {
        return {};
    }
    return self.parent_path();
}

std::optional<std::filesystem::path>
findResourceFolder(const std::filesystem::path& programFolder) {
    if (programFolder.empty()) {
        return std::nullopt;
    }
    const std::filesystem::path folder = normalFolder(programFolder);
    if (folder.empty()) {
        return std::nullopt;
    }
    std::error_code ec;
    for (const std::filesystem::path& candidate : candidates(folder)) {
        if (std::filesystem::is_directory(candidate, ec)) {
            return candidate;
        }
    }
    return std::nullopt;
}

bool isInstalledProgram(const std::filesystem::path& programFolder) {
    if (programFolder.empty()) {
        return false;
    }
    const std::filesystem::path folder = normalFolder(programFolder);
    std::error_code ec;
    return folder.filename() == "bin" &&
           std::filesystem::is_directory(folder.parent_path() / kShareFolder, ec);
}

std::filesystem::path resourceFolder() {
    const std::filesystem::path folder = programFolder();
    if (auto found = findResourceFolder(folder)) {
        return *found;
    }
    throw Error("Cannot find the program's files: no " + kShareFolder.string() +
                " beside or above " +
                (folder.empty() ? std::string("the program") : folder.string()));
}

} // namespace fotoplex
