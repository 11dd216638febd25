#pragma once

// The picture pages of the modern style, one per listed file under the classic page name:
// the picture fitted to the window between large previous / gallery / next links, its
// caption in a figure, and a small script for the keyboard and swipes that moves between
// pictures without piling up history. Everything but the keys and swipes works without it.

#include "gallery/ModernPictureSet.h"
#include "gallery/PageIdentity.h"

#include <string>
#include <vector>

namespace fotoplex {

class TProject;

// Forms the page of picture i (0-based) into lines, which is emptied first.
void FormModernPicturePage(const TProject& project, const std::vector<ModernPicture>& pictures,
                           std::size_t i, const PageIdentity& identity,
                           std::vector<std::string>& lines);

// Writes the page of every listed file. Error: "Cannot create file %s".
void WriteModernPicturePages(const TProject& project, const std::vector<ModernPicture>& pictures,
                             const PageIdentity& identity);

// Left and Right (no modifier) go to the previous and next picture, Escape and Up to the
// index page; a swipe of at least 50 pixels, mostly sideways, does the same. Moving between
// pictures replaces the history entry, so one Back leaves the pictures.
extern const char* const kPictureScript;

} // namespace fotoplex
