#pragma once

// The gallery's one stylesheet, main.css beside index.html, and the copy of the page
// background image that it names. The stylesheet is written whole on every build from the
// project's settings; nothing is read back from it, nothing in it is escaped.
//
// GetCSS is an operation of the project; it is a free function over a const project here so
// that the project layer does not depend on the gallery.

#include "production/OutputNaming.h" // BackgroundFileName

#include <string>
#include <vector>

namespace fotoplex {

class TProject;

// The eight rules of the stylesheet, in file order. No side effects, cannot fail.
std::vector<std::string> GetCSS(const TProject& project);

// Writes GetCSS to TargetDir + "main.css", replacing the file. Error: "Cannot create file %s"
// (also for a read-only main.css, which stays as it is).
void MakeCSS(const TProject& project);

// Copies the background image to TargetDir + BackgroundFileName. Nothing happens when no
// background is chosen, no file lies at its path, or the background already is that file in
// the gallery (it is left as it is). Errors of CopyFileReplacing.
void CopyBackgroundImage(const TProject& project);

} // namespace fotoplex
