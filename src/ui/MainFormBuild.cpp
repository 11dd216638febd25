#include "engine/RasterImage.h"
#include "gallery/BuildGallery.h"
#include "production/ImageJobs.h"
#include "production/ProductionQueue.h"
#include "ui/MainForm.h"
#include "ui/QtJobWindow.h"
#include "ui/QtMainThread.h"
#include "ui/QtText.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QUrl>
#include <algorithm>

namespace fotoplex {

// The context the core's jobs and Build Gallery run in: this window's ports and state.
JobContext TMainForm::jobContext() {
    return JobContext{*project_,
                      state_,
                      *jobWindow_,
                      *dialogs_,
                      *mainThread_,
                      *sizeReader_,
                      [this] { return CheckTargetDir(); },
                      [this] { MarkModified(); },
                      DefaultWorkerCount()};
}

// The Images and Thumbnails commands: one job inside the lock; the pictures it could not
// make are shown when it ends.
void TMainForm::BuildImagesBtnClick() {
    JobContext job = jobContext();
    RunImagesCommand(job);
}

void TMainForm::BuildThumbsBtnClick() {
    JobContext job = jobContext();
    RunThumbnailsCommand(job);
}

void TMainForm::useImageJobs() {
    sizeReader_ = std::make_unique<RasterImage>();
    jobWindow_ = std::make_unique<QtJobWindow>(*this);
    mainThread_ = std::make_unique<QtMainThread>();
}

// Build Gallery: the core's one sequence, run against this window.
void TMainForm::BuildAllBtnClick() {
    JobContext job = jobContext();
    fotoplex::BuildAllBtnClick(job);
}

void TMainForm::setStatusText(int panel, const std::string& text) {
    (panel == 0 ? statusPanel0_ : statusPanel1_)->setText(toQString(text));
}

// One file (maximum 0) or none (-1) would make an empty range, which Qt draws as a busy
// animation; the bar then stays empty instead.
void TMainForm::setProgressMaximum(int maximum) {
    totalProgress_->setRange(0, std::max(maximum, 1));
}

void TMainForm::setProgress(int position) {
    totalProgress_->setValue(position);
}

void TMainForm::removeFileRow(int index) {
    if (index >= 0 && index < filesListBox_->count()) {
        const QSignalBlocker quiet(filesListBox_); // a job's pruning is not a click
        delete filesListBox_->takeItem(index);
    }
}

void TMainForm::openDocument(const std::string& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(toQString(path)));
}

} // namespace fotoplex
