#include "filelist/FileListPaths.h"

namespace fotoplex {

std::string fileNameOf(const std::string& path) {
    const std::size_t cut = path.rfind(kPathDelimiter);
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string folderOf(const std::string& path) {
    std::size_t cut = path.rfind(kPathDelimiter);
    if (cut == std::string::npos) {
        return {};
    }
    // "/photos//a.jpg" has its folder at "/photos", not "/photos/".
    while (cut > 0 && path[cut - 1] == kPathDelimiter) {
        --cut;
    }
    // The root folder keeps its delimiter: it is the folder's whole name.
    return cut == 0 ? std::string(1, kPathDelimiter) : path.substr(0, cut);
}

} // namespace fotoplex
