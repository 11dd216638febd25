#pragma once

#include "ports/Dialogs.h"

#include <string>
#include <vector>

namespace fotoplex {

// An open-file dialog for pictures, with a preview pane showing the highlighted picture. The
// folder and the file must exist; the first filter is the one selected when the dialog opens.
struct PictureRequest {
    std::string title;
    std::string folder;
    std::vector<FileFilter> filters;
    bool multiSelect = false;
};

// The picture dialogs of the program: the source list's multi-selection dialog and the
// background image's single-selection one. The window shows a real dialog; tests answer from
// a script.
class PictureChooser {
public:
    virtual ~PictureChooser() = default;

    // The chosen files as full paths, in the order the dialog returns them; empty when the
    // user cancels. At most one path unless the request allows several.
    virtual std::vector<std::string> choose(const PictureRequest& request) = 0;
};

} // namespace fotoplex
