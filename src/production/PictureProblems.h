#pragma once

#include "base/ProgramState.h"
#include "ports/Dialogs.h"

#include <functional>
#include <string>

namespace fotoplex {

// Notes a picture that could not be made. One source with one reason is listed once, however
// many of its outputs failed for it.
void NotePictureFailed(PictureProblems& problems, const std::string& source,
                       const std::string& reason);

// Notes a picture made from the part of its source that could be read.
void NotePicturePartial(PictureProblems& problems, const std::string& source);

// The warning's text: each picture that could not be made with its reason (the first 20,
// then "and N more"), and one line for the pictures read only in part. Empty when the list is.
std::string PictureProblemsText(const PictureProblems& problems);

inline constexpr std::size_t kListedPictureProblems = 20;

// The notice of the pictures that got a distinct name (the first 20 lines, then
// "and N more"). Empty when there are none.
std::string DistinctNamesText(const std::vector<std::string>& lines);

// Runs a command that makes pictures (Build Gallery, Images, Thumbnails). The outermost such
// command starts an empty list and, when it ends (also by an error), shows what is in it as
// one warning, then the pictures that got a distinct name as one notice; a command run from
// inside another adds to the outer one's list.
void RunListingPictureProblems(PictureProblems& problems, Dialogs& dialogs,
                               const std::function<void()>& command);

} // namespace fotoplex
