#include "filelist/FileListTexts.h"

namespace fotoplex {

std::string filesCountText(std::size_t count) {
    return kFilesCountLabel + std::to_string(count);
}

std::string totalSizeText(std::int64_t totalSize) {
    return kTotalSizeLabel + std::to_string(totalSize) + " bytes (" +
           std::to_string(totalSize / 1024) + " Kbytes)";
}

std::string cannotFindDirectoryText(const std::string& folder) {
    return "Cannot find directory " + folder + " .";
}

} // namespace fotoplex
