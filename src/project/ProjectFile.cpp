#include "project/ProjectFile.h"

#include "base/Error.h"
#include "project/TProject.h"

namespace fotoplex {

void writeProjectFile(const TProject&, const std::string& path) { throw cannotCreateFile(path); }

void readProjectFile(TProject&, const std::string& path) { throw cannotOpenFile(path); }

} // namespace fotoplex
