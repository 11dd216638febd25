#pragma once

#include <string>

namespace fotoplex {

// Defaults that depend on the platform. On Linux the gallery and source folders start in
// the user's documents folder, the output folders use "/", and the pages are UTF-8 like the
// texts themselves.
struct PlatformDefaults {
    std::string documentsFolder; // default TargetDir and SourceDir
    std::string imageFolder;     // default ImageFolder
    std::string thumbFolder;     // default ThumbFolder
    int encoding = 18;           // default Encoding: the texts' own charset (17 is UTF-8)
};

// The user's documents folder: XDG_DOCUMENTS_DIR (environment, then user-dirs.dirs),
// else $HOME/Documents when it exists, else $HOME, else "/".
PlatformDefaults platformDefaults();

} // namespace fotoplex
