#include "filelist/DroppedFiles.h"

#include "engine/ReaderTable.h"
#include "filelist/FileListPaths.h"

#include <algorithm>
#include <filesystem>
#include <set>

namespace fotoplex {

namespace {

bool isPicture(const std::string& path) {
    return readerForPath(path) != FileFormat::Unknown;
}

// The files directly in a folder, by name.
std::vector<std::string> filesIn(const std::string& folder, const TextCompare& compare) {
    std::vector<std::string> files;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (!name.empty() && name[0] != '.' && it->is_regular_file(typeError)) {
            files.push_back(it->path().string());
        }
    }
    const FileOrder order(compare);
    std::sort(files.begin(), files.end(),
              [&](const std::string& a, const std::string& b) { return order.before(a, b); });
    return files;
}

} // namespace

DroppedFiles sortOutDroppedPaths(const std::vector<std::string>& paths,
                                 const TextCompare& compare) {
    DroppedFiles result;
    std::set<std::string> refusedOnce;
    const auto take = [&](const std::string& path) {
        if (isPicture(path)) {
            result.pictures.push_back(path);
        } else if (refusedOnce.insert(path).second) {
            result.refused.push_back(path);
        }
    };
    for (const std::string& path : paths) {
        std::error_code ec;
        if (std::filesystem::is_directory(path, ec)) {
            for (const std::string& file : filesIn(path, compare)) {
                take(file);
            }
        } else if (std::filesystem::is_regular_file(path, ec)) {
            take(path);
        }
    }
    return result;
}

std::string refusedFilesText(const std::vector<std::string>& refused, std::size_t shown) {
    std::string text =
        refused.size() == 1
            ? "This file was not added; it is no picture Fotoplex can read:\n"
            : "These files were not added; they are no pictures Fotoplex can read:\n";
    for (std::size_t i = 0; i < refused.size() && i < shown; ++i) {
        text += '\n';
        text += fileNameOf(refused[i]);
    }
    if (refused.size() > shown) {
        text += "\n... and " + std::to_string(refused.size() - shown) + " more";
    }
    return text;
}

} // namespace fotoplex
