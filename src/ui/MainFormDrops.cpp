// Files, folders and projects dropped on the window.
#include "filelist/DroppedFiles.h"
#include "filelist/FileList.h"
#include "filelist/SourcePath.h"
#include "project/TProject.h"
#include "ui/ClickableWidgets.h"
#include "ui/FileDrops.h"
#include "ui/MainForm.h"
#include "ui/QtText.h"

#include <QStackedWidget>

namespace fotoplex {

void TMainForm::acceptDrops() {
    auto* list = static_cast<ClickableListBox*>(filesListBox_);
    list->setRowPaths([this](const QList<int>& rows) {
        QStringList paths;
        for (const int row : rows) {
            if (row >= 0 && row < static_cast<int>(project_->Files.size())) {
                // The file itself, which a lower-cased entry may only name in its case.
                paths.push_back(
                    toQString(resolveSourcePath(project_->Files[static_cast<std::size_t>(row)])));
            }
        }
        return paths;
    });
    DropActions actions;
    actions.openProject = [this](const std::string& path) {
        runCommand([this, path] { openProjectFile(path); });
    };
    actions.addFiles = [this](const std::vector<std::string>& paths) {
        runCommand([this, paths] { addDroppedPaths(paths); });
    };
    actions.showIndicator = [list](bool shown) { list->showDropIndicator(shown); };
    actions.locked = [this] { return isLocked(); };
    drops_ = new FileDrops(this, pageControl_->widget(0), actions);
}

void TMainForm::addDroppedPaths(const std::vector<std::string>& paths) {
    // A folder's pictures come in the order the sorted list gives names.
    const DroppedFiles dropped = sortOutDroppedPaths(paths, compareIgnoringCase);
    if (!dropped.refused.empty()) {
        dialogs_->showWarning(kApplicationTitle, refusedFilesText(dropped.refused));
    }
    fileList_->addGivenFiles(*project_, dropped.pictures);
}

} // namespace fotoplex
