#include "filelist/FileOrder.h"

#include "base/Text.h"
#include "filelist/FileListPaths.h"

#include <cstring>

namespace fotoplex {

int compareIgnoringCase(const std::string& a, const std::string& b) {
    return std::strcoll(toLowerAscii(a).c_str(), toLowerAscii(b).c_str());
}

bool FileOrder::before(const std::string& a, const std::string& b) const {
    const int byName = compare_(fileNameOf(a), fileNameOf(b));
    if (byName != 0) {
        return byName < 0;
    }
    return compare_(a, b) < 0;
}

} // namespace fotoplex
