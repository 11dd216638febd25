#include "base/Error.h"
#include "engine/RasterImage.h"
#include "gallery/BuildGallery.h"
#include "gallery/BuildSteps.h"
#include "production/CheckTargetDir.h"
#include "production/ImageJobs.h"
#include "production/PictureProblems.h"
#include "project/TProject.h"
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

namespace fotoplex {

namespace {

constexpr int kBuildPage = 5;

// Unlocks the window and empties the progress bar however the job ends.
class JobLock {
public:
    JobLock(TMainForm& form, QProgressBar* progress) : form_(form), progress_(progress) {
        form_.LockWindow();
    }
    ~JobLock() {
        form_.UnlockWindow();
        progress_->setValue(0);
    }
    JobLock(const JobLock&) = delete;
    JobLock& operator=(const JobLock&) = delete;

private:
    TMainForm& form_;
    QProgressBar* progress_;
};

} // namespace

// A window without its image jobs says so instead of pretending to have built anything.
bool TMainForm::runJob(const BuildStep& job) {
    if (!job) {
        throw Error("Making images and thumbnails is not part of this build");
    }
    return job();
}

void TMainForm::runLockedJob(const BuildStep& job) {
    JobLock lock(*this, totalProgress_);
    runJob(job);
}

// The Images and Thumbnails commands: one job inside the lock; the pictures it could not
// make are shown when it ends.
void TMainForm::BuildImagesBtnClick() {
    RunListingPictureProblems(state_.pictureProblems, *dialogs_,
                              [this] { runLockedJob(imageJob_); });
}

void TMainForm::BuildThumbsBtnClick() {
    RunListingPictureProblems(state_.pictureProblems, *dialogs_,
                              [this] { runLockedJob(thumbJob_); });
}

// The two image jobs of the production layer, run against this window. A job reports
// whether its folder check let it run, so that a refused check ends Build Gallery.
void TMainForm::useImageJobs() {
    sizeReader_ = std::make_unique<RasterImage>();
    jobWindow_ = std::make_unique<QtJobWindow>(*this);
    mainThread_ = std::make_unique<QtMainThread>();
    imageJob_ = [this] { return runImageJob(ImageJob); };
    thumbJob_ = [this] { return runImageJob(ThumbJob); };
}

bool TMainForm::runImageJob(void (*job)(JobContext&)) {
    bool passed = true;
    JobContext context{*project_,
                       state_,
                       *jobWindow_,
                       *dialogs_,
                       *mainThread_,
                       *sizeReader_,
                       [this, &passed] {
                           passed = CheckTargetDir();
                           return passed;
                       },
                       [this] { MarkModified(); }};
    job(context);
    return passed;
}

// The five steps of Build Gallery. Each page step reports whether its folder check let it
// run, so that a refused check ends the sequence.
void TMainForm::useGalleryBuildSteps() {
    const auto checked = [this](std::function<void(const CheckTargetDirFn&)> step) -> BuildStep {
        return [this, step] {
            bool passed = true;
            step([this, &passed] {
                passed = CheckTargetDir();
                return passed;
            });
            return passed;
        };
    };
    buildSteps_ = {
        [this] { return runJob(imageJob_); }, [this] { return runJob(thumbJob_); },
        checked([this](const CheckTargetDirFn& check) { MakeCSSClick(*project_, check); }),
        checked([this](const CheckTargetDirFn& check) {
            BuildIndexPagesClick(*project_, state_, *dialogs_, check,
                                 [this] { runJob(thumbJob_); });
        }),
        checked([this](const CheckTargetDirFn& check) {
            BuildImagePagesClick(*project_, state_, *dialogs_, check,
                                 [this] { BuildImagesBtnClick(); });
        })};
}

// Build Gallery: the five steps in order inside one lock; a failed folder check, a cancel
// or an error ends the run, and the window is unlocked in every case. The pictures that could
// not be made are shown in one warning when the run ends.
void TMainForm::BuildAllBtnClick() {
    RunListingPictureProblems(state_.pictureProblems, *dialogs_, [this] { runBuildSteps(); });
}

void TMainForm::runBuildSteps() {
    if (project_->Files.empty()) {
        MessageRequest request;
        request.caption = "Error";
        request.text = "Please select files first.";
        request.icon = MessageIcon::Warning;
        request.buttons = MessageButtons::Ok;
        dialogs_->ask(request);
        return;
    }
    showDesignPage(kBuildPage);
    state_.jobCancelled = false;
    try {
        JobLock lock(*this, totalProgress_);
        for (const BuildStep& step : buildSteps_) {
            if (state_.jobCancelled || !step()) {
                break;
            }
        }
    } catch (...) {
        state_.jobCancelled = false;
        throw; // shown by the command's error box; the browser is not opened
    }
    state_.jobCancelled = false;
    if (project_->ShowWhenReady) {
        openDocument(GalleryIndexPath(*project_));
    }
}

void TMainForm::setStatusText(int panel, const std::string& text) {
    (panel == 0 ? statusPanel0_ : statusPanel1_)->setText(toQString(text));
}

void TMainForm::setProgressMaximum(int maximum) {
    totalProgress_->setRange(0, maximum);
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
