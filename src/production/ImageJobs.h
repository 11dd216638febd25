#pragma once

#include "base/ProgramState.h"
#include "engine/RasterImage.h"
#include "ports/Dialogs.h"
#include "ports/JobWindow.h"
#include "ports/MainThread.h"
#include "project/TProject.h"

#include <functional>

namespace fotoplex {

// Everything the two jobs work with; owned by the window (or the command-line session).
struct JobContext {
    TProject& project;
    ProgramState& state;
    JobWindow& window;
    Dialogs& dialogs;
    MainThread& mainThread;
    // The long-lived picture the jobs use only to read back the size of each output.
    RasterImage& sizeReader;
    // The target-folder check; false when the job must not run.
    std::function<bool()> checkTargetDir;
    // The project changed: set Modified and show the title marker.
    std::function<void()> markModified;
    // How many files are produced at once; 1 waits for each worker before the next file.
    int workers = 1;
};

// Writes one resized image (or, with resizing off, a plain copy) per listed source into the
// image folder and records each output's pixel size in ImageSizes.
//
// Beyond the plain rules: an output path that is the source itself (an empty image folder in
// the source's own folder) is never deleted or written; the file is skipped, its size recorded
// and the status says so. An output that cannot be read back is recorded as "0" x "0". A
// picture the worker could not make, or read only in part, is noted in the state's
// PictureProblems, and the job goes on with the next file.
//
// Files are made by up to `workers` resize workers at once (ProductionQueue); questions,
// sizes, progress and status still come in list order, and a cancel lets the files in flight
// finish whole. Under "Overwrite" an output that the target folder's BuildRecord knows to be
// up to date is kept and counted in picturesUpToDate; what is made counts in picturesMade.
void ImageJob(JobContext& job);

// Writes one JPEG thumbnail per listed source into the thumbnail folder and records each
// thumbnail's pixel size in ThumbSizes. The same two safeguards as ImageJob apply.
void ThumbJob(JobContext& job);

// The Images command: LockWindow, ImageJob, UnlockWindow and progress 0, the last two also
// when the job ends by an error (which then goes on to the caller). The pictures the job
// could not make are shown as one warning when it ends (RunListingPictureProblems).
void RunImagesCommand(JobContext& job);
void RunThumbnailsCommand(JobContext& job);

inline constexpr const char* kCancelQuestion = "Do you want to cancel the job?";

} // namespace fotoplex
