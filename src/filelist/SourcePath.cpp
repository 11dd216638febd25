#include "filelist/SourcePath.h"

#include "base/Text.h"

#include <filesystem>
#include <system_error>

namespace fotoplex {

namespace fs = std::filesystem;

namespace {

bool entryExists(const fs::path& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

// Every entry of a folder by its lower-cased name; of names that differ only in case, the
// first in byte order. An unreadable folder lists nothing.
std::map<std::string, std::string> readListing(const std::string& folder) {
    std::map<std::string, std::string> listing;
    std::error_code error;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), error);
    for (const fs::directory_iterator end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        auto [place, added] = listing.try_emplace(toLowerAscii(name), name);
        if (!added && name < place->second) {
            place->second = std::move(name);
        }
    }
    return listing;
}

} // namespace

std::string resolveSourcePath(const std::string& path) {
    return SourcePathResolver().resolve(path);
}

std::string SourcePathResolver::resolve(const std::string& path) {
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
        const std::string* match = findIgnoringCase(resolved.string(), name);
        if (match == nullptr) {
            return path;
        }
        resolved /= *match;
    }
    return resolved.string();
}

const std::string* SourcePathResolver::findIgnoringCase(const std::string& folder,
                                                        const std::string& name) {
    const std::string wanted = toLowerAscii(name);
    const auto known = folders_.find(folder);
    if (known != folders_.end()) {
        const auto match = known->second.find(wanted);
        if (match != known->second.end() && entryExists(fs::path(folder) / match->second)) {
            return &match->second;
        }
    }
    // Not read yet, or read before the name appeared or went.
    Listing& listing = folders_[folder];
    listing = readListing(folder);
    const auto match = listing.find(wanted);
    return match == listing.end() ? nullptr : &match->second;
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
