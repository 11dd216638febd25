#pragma once

#include <string>

namespace fotoplex {

// What the image jobs and the build sequence need of the window (or of the terminal).
class JobWindow {
public:
    virtual ~JobWindow() = default;

    // Status bar panel 0 or 1.
    virtual void setStatus(int panel, const std::string& text) = 0;
    // The Build page's progress bar.
    virtual void setProgressMaximum(int maximum) = 0;
    virtual void setProgress(int position) = 0;
    // The application-wide busy cursor.
    virtual void setBusy(bool busy) = 0;
    // Handles pending window events, key presses and the worker's main-thread calls.
    virtual void processEvents() = 0;
    // Removes row `index` of the file list box (the project's entry is removed by the job).
    virtual void removeFileRow(int index) = 0;
    // Disables / enables the top-level menus and the controls placed on the window.
    virtual void lockWindow() = 0;
    virtual void unlockWindow() = 0;
    // Selects the Build page through the side bar, as a click on its item would.
    virtual void showBuildPage() = 0;
    // Opens a file with the desktop's associated program (the browser for index.html).
    virtual void openDocument(const std::string& path) = 0;
};

} // namespace fotoplex
