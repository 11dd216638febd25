#pragma once

#include "production/ImageJobs.h"

namespace fotoplex {

// Build Gallery: images, thumbnails, main.css, the index pages and the image pages, in this
// order, while the window is locked. A cancel, a refused target-folder check or an error ends
// the sequence; the window is always unlocked afterwards, and unless an error ended it,
// index.html is opened when ShowWhenReady is set. An error goes on to the caller after the
// unlock, for the error box. The pictures that could not be made are then shown as one
// warning, and stay in the state's PictureProblems until the next build command.
void BuildAllBtnClick(JobContext& job);

// How many pictures the last run made and how many it found up to date, for the status bar.
std::string PicturesText(const ProgramState& state);

// The file the browser is shown: TargetDir without its trailing delimiter, then /index.html.
std::string GalleryIndexPath(const TProject& project);

} // namespace fotoplex
