#include "gallery/BuildSteps.h"

#include "gallery/ImagePages.h"
#include "gallery/IndexPages.h"
#include "gallery/ModernIndexPages.h"
#include "gallery/ModernPicturePages.h"
#include "gallery/ModernStylesheet.h"
#include "gallery/Stylesheet.h"
#include "project/PageStyle.h"
#include "project/TProject.h"

#include <string>

namespace fotoplex {

namespace {

// Asks the OK/Cancel warning of a stale step; true when the answer is OK.
bool proceedWithJob(Dialogs& dialogs, const std::string& text) {
    MessageRequest request;
    request.caption = "Warning";
    request.text = text;
    request.icon = MessageIcon::Warning;
    request.buttons = MessageButtons::OkCancel;
    request.defaultAnswer = Answer::Ok;
    return dialogs.ask(request) == Answer::Ok;
}

} // namespace

void MakeCSSClick(const TProject& project, const CheckTargetDirFn& checkTargetDir) {
    if (!checkTargetDir()) {
        return;
    }
    if (PageStyleOf(project) == PageStyleKind::Modern) {
        MakeModernCSS(project);
    } else {
        MakeCSS(project);
    }
}

void BuildIndexPagesClick(const TProject& project, ProgramState& state, Dialogs& dialogs,
                          const CheckTargetDirFn& checkTargetDir, const StepJobFn& thumbJob,
                          const PageIdentity& identity) {
    if (!checkTargetDir()) {
        return;
    }
    if (!state.thumbsBuilt) {
        if (!proceedWithJob(dialogs, "Thumbnails have to be created first. Click OK to proceed.")) {
            return;
        }
        if (thumbJob) {
            thumbJob();
        }
    }
    CopyBackgroundImage(project);
    if (PageStyleOf(project) == PageStyleKind::Modern) {
        WriteModernIndexPages(project, state, GatherModernPictures(project, state), identity);
    } else {
        WriteIndexPages(project, state, identity);
    }
}

void BuildImagePagesClick(const TProject& project, ProgramState& state, Dialogs& dialogs,
                          const CheckTargetDirFn& checkTargetDir,
                          const StepJobFn& buildImagesCommand, const PageIdentity& identity) {
    if (!checkTargetDir()) {
        return;
    }
    if (!state.imagesBuilt) {
        if (!proceedWithJob(dialogs, "Images have to be created first. Click OK to proceed.")) {
            return;
        }
        if (buildImagesCommand) {
            buildImagesCommand();
        }
    }
    CopyBackgroundImage(project);
    if (PageStyleOf(project) == PageStyleKind::Modern) {
        WriteModernPicturePages(project, GatherModernPictures(project, state), identity);
    } else {
        WriteImagePages(project, state.imageSizes.widths, state.imageSizes.heights, identity);
    }
}

} // namespace fotoplex
