#include "gallery/BuildGallery.h"

#include "gallery/BuildSteps.h"
#include "production/ModernPictures.h"
#include "production/OutputNaming.h"
#include "production/PictureProblems.h"

#include <functional>
#include <string>

namespace fotoplex {

namespace {

// Runs whatever way the steps end: unlock, clear the cancel flag, progress back to 0.
class SequenceEnd {
public:
    explicit SequenceEnd(JobContext& job) : job_(job) {}
    ~SequenceEnd() {
        job_.window.unlockWindow();
        job_.state.jobCancelled = false;
        job_.window.setProgress(0);
    }
    SequenceEnd(const SequenceEnd&) = delete;
    SequenceEnd& operator=(const SequenceEnd&) = delete;

private:
    JobContext& job_;
};

void runSteps(JobContext& job) {
    // Every step checks the target folder itself; the sequence notes the last outcome so that
    // a refused check stops it (and its message is shown once per run).
    bool checkPassed = true;
    const std::function<bool()> originalCheck = job.checkTargetDir;
    JobContext steps = job;
    steps.checkTargetDir = [&] {
        checkPassed = originalCheck();
        return checkPassed;
    };
    const auto goOn = [&] { return checkPassed && !job.state.jobCancelled; };
    const auto imagesCommand = [&] { RunImagesCommand(steps); };
    const auto thumbJob = [&] { ThumbJob(steps); };

    ImageJob(steps);
    if (!goOn()) {
        return;
    }
    ThumbJob(steps);
    if (!goOn()) {
        return;
    }
    SharpPictureJob(steps); // the modern style's sharp versions; nothing in the classic one
    if (!goOn()) {
        return;
    }
    MakeCSSClick(job.project, steps.checkTargetDir);
    if (!goOn()) {
        return;
    }
    BuildIndexPagesClick(job.project, job.state, job.dialogs, steps.checkTargetDir, thumbJob);
    if (!goOn()) {
        return;
    }
    BuildImagePagesClick(job.project, job.state, job.dialogs, steps.checkTargetDir, imagesCommand);
}

} // namespace

std::string PicturesText(const ProgramState& state) {
    return "Pictures: " + std::to_string(state.picturesMade) + " made, " +
           std::to_string(state.picturesUpToDate) + " up to date";
}

std::string GalleryIndexPath(const TProject& project) {
    std::string folder = project.TargetDir.str();
    while (!folder.empty() && (folder.back() == '/' || folder.back() == '\\')) {
        folder.pop_back();
    }
    return folder + kPathDelimiter + "index.html";
}

namespace {

void buildAll(JobContext& job) {
    if (job.project.Files.empty()) {
        job.dialogs.ask({"Error", "Please select files first.", MessageIcon::Warning,
                         MessageButtons::Ok, Answer::Ok});
        return;
    }
    job.window.showBuildPage();
    job.state.jobCancelled = false;
    job.state.picturesMade = 0;
    job.state.picturesUpToDate = 0;
    job.window.lockWindow();
    {
        SequenceEnd end(job);
        runSteps(job); // an error leaves here, after the unlock, and skips the browser
    }
    if (job.state.picturesMade + job.state.picturesUpToDate > 0) {
        job.window.setStatus(1, PicturesText(job.state));
    }
    if (job.project.ShowWhenReady) {
        job.window.openDocument(GalleryIndexPath(job.project));
    }
}

} // namespace

void BuildAllBtnClick(JobContext& job) {
    RunListingPictureProblems(job.state.pictureProblems, job.dialogs, [&] { buildAll(job); });
}

} // namespace fotoplex
