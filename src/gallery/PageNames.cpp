#include "gallery/PageNames.h"

#include "production/OutputNaming.h"
#include "project/TProject.h"

#include <algorithm>

namespace fotoplex {

namespace {
constexpr int kMinTableCells = 1;
constexpr int kMaxTableCells = 99;
} // namespace

std::string ImagePageName(const std::string& sourcePath) {
    return ImagePageFileName(SourceFileName(sourcePath));
}

std::vector<std::string> ImagePageNames(const std::vector<std::string>& files) {
    std::vector<std::string> names;
    names.reserve(files.size());
    for (const std::string& file : files) {
        names.push_back(ImagePageName(file));
    }
    return names;
}

std::string IndexPageFileName(int pageNumber) {
    return pageNumber == 1 ? std::string("index.html")
                           : "page" + std::to_string(pageNumber) + ".html";
}

TableSize ShownTableSize(const TProject& project) {
    return {std::clamp(project.TableRows, kMinTableCells, kMaxTableCells),
            std::clamp(project.TableCols, kMinTableCells, kMaxTableCells)};
}

} // namespace fotoplex
