#pragma once

#include <string>

#include "production/OutputNaming.h" // kPathDelimiter

namespace fotoplex {

class Dialogs;
class TProject;
struct ProgramState;

// The field where the user types the gallery's target folder (an edit box in the window,
// an option in the command-line program).
class TargetDirField {
public:
    virtual ~TargetDirField() = default;

    virtual std::string text() const = 0;
    // Shows a new text; the field handles it as if the user had typed it (TargetDir stored,
    // project marked modified).
    virtual void setText(const std::string& text) = 0;
};

// The check every build step starts with: normalises the target folder in the field and in
// the project, makes it the current folder and offers to create it when it is missing.
// Returns false (after its own message, or with JobCancelled set when the user declines to
// create the folder) when the step must not run. A folder that cannot be created raises
// "Cannot create " with its path.
bool CheckTargetDir(TProject& project, ProgramState& state, TargetDirField& field,
                    Dialogs& dialogs);

// The text with leading and trailing blanks (and control characters) removed.
std::string trimBlanks(const std::string& text);

// The folder text with one path delimiter at its end.
std::string withTrailingDelimiter(const std::string& folder);

} // namespace fotoplex
