#include "production/CheckTargetDir.h"

#include "base/Error.h"
#include "base/ProgramState.h"
#include "ports/Dialogs.h"
#include "project/TProject.h"

#include <filesystem>
#include <system_error>

namespace fotoplex {

namespace {

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

bool makeCurrent(const std::string& folder) {
    std::error_code ec;
    std::filesystem::current_path(std::filesystem::path(folder), ec);
    return !ec;
}

void tellChooseTargetFirst(Dialogs& dialogs) {
    MessageRequest request;
    request.caption = "Error";
    request.text = "Please choose target directory first.";
    request.icon = MessageIcon::Error;
    request.buttons = MessageButtons::Ok;
    dialogs.ask(request);
}

bool userWantsFolderCreated(Dialogs& dialogs) {
    MessageRequest request;
    request.caption = "Warning";
    request.text = "Target directory does not exist. Do you want to create it?";
    request.icon = MessageIcon::Warning;
    request.buttons = MessageButtons::YesNo;
    request.defaultAnswer = Answer::Yes;
    return dialogs.ask(request) == Answer::Yes;
}

// One level only: a missing parent is not created.
void createFolder(const std::string& folder) {
    std::error_code ec;
    const std::filesystem::path path(folder);
    if (std::filesystem::exists(path, ec)) {
        return;
    }
    if (!std::filesystem::create_directory(path, ec) || ec) {
        throw cannotCreateFolder(folder);
    }
}

} // namespace

std::string trimBlanks(const std::string& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && isBlank(text[first])) {
        ++first;
    }
    while (last > first && isBlank(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
}

std::string withTrailingDelimiter(const std::string& folder) {
    if (!folder.empty() && folder.back() == kPathDelimiter) {
        return folder;
    }
    return folder + kPathDelimiter;
}

bool CheckTargetDir(TProject& project, ProgramState& state, TargetDirField& field,
                    Dialogs& dialogs) {
    const std::string typed = field.text();
    const std::string trimmed = trimBlanks(typed);
    if (trimmed.empty()) {
        tellChooseTargetFirst(dialogs);
        return false;
    }
    const std::string folder = withTrailingDelimiter(trimmed);
    if (folder != typed) {
        field.setText(folder);
    }
    project.TargetDir = folder;
    const std::string& target = project.TargetDir.str();
    if (makeCurrent(target)) {
        return true;
    }
    if (!userWantsFolderCreated(dialogs)) {
        state.jobCancelled = true;
        return false;
    }
    createFolder(target);
    // A name taken by a file, or a folder we may not enter, cannot serve as the target.
    if (!makeCurrent(target)) {
        throw cannotCreateFolder(target);
    }
    return true;
}

} // namespace fotoplex
