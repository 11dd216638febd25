#include "production/SourceFiles.h"

#include "base/FileUtil.h"
#include "filelist/SourcePath.h"

namespace fotoplex {

std::string ResolveSourcePath(const std::string& storedPath) { return resolveSourcePath(storedPath); }

bool SourceExists(const std::string& storedPath) {
    return RegularFileExists(ResolveSourcePath(storedPath));
}

} // namespace fotoplex
