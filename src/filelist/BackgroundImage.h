#pragma once

#include "filelist/PictureChooser.h"
#include "project/TProject.h"

#include <functional>

namespace fotoplex {

// The background image's "..." button: asks for one picture and, when the user confirms,
// stores its path (its first 255 bytes) in BackgroundImagePath and marks the project
// modified. The dialog opens in the folder of the present background image, or in SourceDir
// when there is none. Returns whether a picture was chosen, so the field can show it;
// cancelling changes nothing.
bool chooseBackgroundImage(TProject& project, PictureChooser& chooser,
                           const std::function<void()>& markModified);

} // namespace fotoplex
