#include "filelist/SourcePath.h"

#include "base/Text.h"

#include <filesystem>
#include <optional>
#include <system_error>

namespace fotoplex {

namespace fs = std::filesystem;

namespace {

bool entryExists(const fs::path& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

// The entry of folder whose name equals name apart from ASCII letter case.
std::optional<std::string> findIgnoringCase(const fs::path& folder, const std::string& name) {
    const std::string wanted = toLowerAscii(name);
    std::optional<std::string> best;
    std::error_code error;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, error);
    for (const fs::directory_iterator end; !error && it != end; it.increment(error)) {
        std::string candidate = it->path().filename().string();
        if (toLowerAscii(candidate) == wanted && (!best || candidate < *best)) {
            best = std::move(candidate);
        }
    }
    return best;
}

} // namespace

std::string resolveSourcePath(const std::string& path) {
    if (path.empty() || entryExists(path)) {
        return path;
    }
    const fs::path original(path);
    fs::path resolved = original.root_path();
    for (const fs::path& component : original.relative_path()) {
        const std::string name = component.string();
        if (name.empty()) {
            continue; // a trailing delimiter
        }
        const fs::path exact = resolved / component;
        if (entryExists(exact)) {
            resolved = exact;
            continue;
        }
        const std::optional<std::string> match = findIgnoringCase(resolved, name);
        if (!match) {
            return path;
        }
        resolved /= *match;
    }
    return resolved.string();
}

std::int64_t listedFileSize(const std::string& path) {
    std::error_code error;
    const fs::path found(resolveSourcePath(path));
    if (!fs::is_regular_file(found, error)) {
        return 0;
    }
    const std::uintmax_t size = fs::file_size(found, error);
    return error ? 0 : static_cast<std::int64_t>(size);
}

} // namespace fotoplex
