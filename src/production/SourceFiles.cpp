#include "production/SourceFiles.h"

#include "base/FileUtil.h"

namespace fotoplex {

std::string ResolveSourcePath(const std::string& storedPath) { return storedPath; }

bool SourceExists(const std::string& storedPath) {
    return RegularFileExists(ResolveSourcePath(storedPath));
}

} // namespace fotoplex
