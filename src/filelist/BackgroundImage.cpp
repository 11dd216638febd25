#include "filelist/BackgroundImage.h"

#include "filelist/FileListPaths.h"
#include "filelist/PictureDialogs.h"

#include <string>

namespace fotoplex {

bool chooseBackgroundImage(TProject& project, PictureChooser& chooser,
                           const std::function<void()>& markModified) {
    const std::string& current = project.BackgroundImagePath;
    const std::string folder = current.empty() ? project.SourceDir.str() : folderOf(current);
    const std::vector<std::string> chosen = chooser.choose(backgroundImageRequest(folder));
    if (chosen.empty()) {
        return false;
    }
    project.BackgroundImagePath = chosen.front();
    markModified();
    return true;
}

} // namespace fotoplex
