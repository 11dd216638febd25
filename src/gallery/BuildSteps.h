#pragma once

// The three page steps of Build Gallery: the stylesheet, the index pages and the image
// pages. Each begins with the target-folder check and stops quietly when it fails; the two
// page steps first make sure what they show was produced (asking to run the job when not),
// then copy the background image, then write their pages. Errors propagate to the caller,
// which ends the sequence and shows them; pages written before an error stay.
//
// The warning prompts have the caption "Warning" and OK as the default button.

#include "base/ProgramState.h"
#include "gallery/PageIdentity.h"
#include "ports/Dialogs.h"

#include <functional>

namespace fotoplex {

class TProject;

// The target-folder check: normalises TargetDir and returns whether the step may run.
using CheckTargetDirFn = std::function<bool()>;
// A job or command the step runs when its inputs are stale.
using StepJobFn = std::function<void()>;

// main.css from the project's settings.
void MakeCSSClick(const TProject& project, const CheckTargetDirFn& checkTargetDir);

// The index pages. When the thumbnails are stale, asks whether to make them; OK runs
// thumbJob and the step goes on whatever its outcome, anything else ends the step.
void BuildIndexPagesClick(const TProject& project, ProgramState& state, Dialogs& dialogs,
                          const CheckTargetDirFn& checkTargetDir, const StepJobFn& thumbJob,
                          const PageIdentity& identity = ProgramPageIdentity());

// The image pages. When the images are stale, asks whether to make them; OK runs the
// Images command and the step goes on whatever its outcome, anything else ends the step.
void BuildImagePagesClick(const TProject& project, ProgramState& state, Dialogs& dialogs,
                          const CheckTargetDirFn& checkTargetDir,
                          const StepJobFn& buildImagesCommand,
                          const PageIdentity& identity = ProgramPageIdentity());

} // namespace fotoplex
