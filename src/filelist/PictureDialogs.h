#pragma once

#include "filelist/PictureChooser.h"

#include <string>
#include <vector>

namespace fotoplex {

inline constexpr const char* kSelectImagesTitle = "Select Images...";

// The ten filters of the source list's dialog, in the order shown.
const std::vector<FileFilter>& sourcePictureFilters();

// The five filters of the background image's dialog, in the order shown.
const std::vector<FileFilter>& backgroundImageFilters();

// The dialog of Select and Add: several files, opening in the given folder (SourceDir).
PictureRequest selectImagesRequest(const std::string& sourceDir);

// The dialog of the background image's "..." button: one file.
PictureRequest backgroundImageRequest(const std::string& folder);

} // namespace fotoplex
