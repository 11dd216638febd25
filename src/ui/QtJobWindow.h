#pragma once

#include "ports/JobWindow.h"

namespace fotoplex {

class TMainForm;

// What the image jobs and the build sequence do to the window: status panels, the Build
// page's progress bar, the busy cursor, event processing, the file list box, the lock and
// the browser.
class QtJobWindow : public JobWindow {
public:
    explicit QtJobWindow(TMainForm& form) : form_(form) {}
    ~QtJobWindow() override;

    QtJobWindow(const QtJobWindow&) = delete;
    QtJobWindow& operator=(const QtJobWindow&) = delete;

    void setStatus(int panel, const std::string& text) override;
    void setProgressMaximum(int maximum) override;
    void setProgress(int position) override;
    void setBusy(bool busy) override;
    void processEvents() override;
    void removeFileRow(int index) override;
    void lockWindow() override;
    void unlockWindow() override;
    void showBuildPage() override;
    void openDocument(const std::string& path) override;

private:
    TMainForm& form_;
    bool busy_ = false;
};

} // namespace fotoplex
