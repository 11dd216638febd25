#include "base/Error.h"
#include "project/LastProjectLocation.h"
#include "project/TProject.h"
#include "ui/MainForm.h"
#include "ui/QtText.h"

namespace fotoplex {

namespace {

constexpr const char* kUntitled = "untitled.hgp";

std::vector<FileFilter> projectFilters() {
    return {{"HTML Gallery Project (*.hgp)", "*.hgp"}, {"All Files (*.*)", "*.*"}};
}

FileRequest projectFileRequest(const std::string& title, const std::string& fileName) {
    FileRequest request;
    request.title = title;
    request.fileName = fileName;
    request.filters = projectFilters();
    request.defaultExtension = "hgp";
    return request;
}

// Saves under a new name; a failed save keeps the old name, so the title and the next Save
// still name the file the project came from.
void saveUnderName(TProject& project, const std::string& path) {
    const Text previous = project.FileName;
    try {
        project.SaveAs(path);
    } catch (...) {
        project.FileName = previous;
        throw;
    }
}

} // namespace

// ---- Title and modified marker ----

void TMainForm::setTitle(bool modified) {
    std::string title = appTitle_ + " - [" + project_->FileName.str() + "]";
    if (modified) {
        title += " *";
    }
    setWindowTitle(toQString(title));
}

void TMainForm::MarkModified() {
    project_->Modified = true;
    setTitle(true);
}

void TMainForm::ShowTitle() {
    setTitle(false);
}

void TMainForm::MarkImagesStale() {
    state_.imagesBuilt = false;
    state_.thumbsBuilt = false;
    MarkModified();
}

void TMainForm::MarkThumbsStale() {
    state_.thumbsBuilt = false;
    MarkModified();
}

// ---- Questions ----

Answer TMainForm::AskYesNoCancel(const std::string& caption, const std::string& text) {
    MessageRequest request;
    request.caption = caption;
    request.text = text;
    request.icon = MessageIcon::Question;
    request.buttons = MessageButtons::YesNoCancel;
    request.defaultAnswer = Answer::Cancel;
    return dialogs_->ask(request);
}

// True when the current project may be replaced; a failed save raises its error and the
// project stays.
bool TMainForm::CloseProject() {
    if (!project_->Modified) {
        return true;
    }
    switch (
        AskYesNoCancel("Save Project", "Current project is modified. Do you want to save it?")) {
    case Answer::Yes:
        project_->Save();
        rememberProject();
        return true;
    case Answer::No:
        return true;
    default:
        return false;
    }
}

// ---- Commands of the File menu ----

void TMainForm::NewProject1Click() {
    if (project_ && project_->Modified) {
        MessageRequest request;
        request.caption = "Warning";
        request.text = "Current project is not saved. Do you want to save it?";
        request.icon = MessageIcon::Warning;
        request.buttons = MessageButtons::YesNo;
        request.defaultAnswer = Answer::Yes;
        if (dialogs_->ask(request) == Answer::Yes) {
            const auto path = dialogs_->saveFile(projectFileRequest("Save Project As", ""));
            if (path && !path->empty()) {
                saveUnderName(*project_, *path);
                rememberProject();
            }
        }
    }
    project_ = std::make_unique<TProject>();
    state_.imagesBuilt = false;
    state_.thumbsBuilt = false;
    ShowProject();
    MarkModified();
}

void TMainForm::OpenProject1Click() {
    FileRequest request = projectFileRequest("Open Project", "");
    request.defaultExtension.clear();
    const auto path = dialogs_->openFile(request);
    if (!path || path->empty()) {
        return;
    }
    openProjectFile(*path);
}

// Open Project after its dialog: also how a project named on the command line is opened.
void TMainForm::openProjectFile(const std::string& path) {
    if (!CloseProject()) {
        return;
    }
    // Read into a project of its own, so that a file that cannot be read leaves the window
    // showing the project it had.
    auto opened = std::make_unique<TProject>();
    opened->Load(path);
    opened->FileName = path;
    opened->Modified = false;
    project_ = std::move(opened);
    state_.imagesBuilt = false;
    state_.thumbsBuilt = false;
    rememberProject();
    ShowTitle();
    ShowProject();
}

void TMainForm::SaveProject1Click() {
    project_->Save();
    rememberProject();
    ShowTitle();
}

void TMainForm::SaveProjectAs1Click() {
    const auto path =
        dialogs_->saveFile(projectFileRequest("Save Project As", project_->FileName.str()));
    if (!path || path->empty()) {
        return;
    }
    saveUnderName(*project_, *path);
    rememberProject();
    ShowTitle();
}

// ---- Closing ----

// Every close saves the project to last.hgp without a question. When that fails the window
// stays open with the error shown; a second close in a row closes it anyway, so a lasting
// cause (a full disk, a read-only home) never keeps the user in.
bool TMainForm::FormCloseQuery() {
    try {
        prepareLastProjectFolder(lastProjectPath_);
        TProject copy = *project_; // the open project keeps its own name and flag
        copy.SaveAs(lastProjectPath_);
        closeFailedOnce_ = false;
        return true;
    } catch (const std::exception& error) {
        showErrorBox(error.what());
        if (closeFailedOnce_) {
            return true;
        }
        closeFailedOnce_ = true;
        return false;
    }
}

} // namespace fotoplex
