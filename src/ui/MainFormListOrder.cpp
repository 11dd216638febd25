// The file list's context menu: orders the list once, by name, by date taken or reversed.
#include "filelist/FileList.h"
#include "filelist/ListReordering.h"
#include "project/TProject.h"
#include "ui/MainForm.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QMenu>

namespace fotoplex {

void TMainForm::buildListContextMenu() {
    listMenu_ = new QMenu(filesListBox_);
    listMenu_->setObjectName("FilesListMenu");
    const std::pair<const char*, const char*> items[] = {{"SortByName1", "Sort by Name"},
                                                         {"SortByDateTaken1", "Sort by Date Taken"},
                                                         {"ReverseOrder1", "Reverse Order"}};
    const Reordering orders[] = {Reordering::ByName, Reordering::ByDateTaken, Reordering::Reverse};
    for (std::size_t i = 0; i < std::size(items); ++i) {
        QAction* action = listMenu_->addAction(items[i].second);
        action->setObjectName(items[i].first);
        connect(action, &QAction::triggered, this,
                [this, how = orders[i]] { runCommand([this, how] { reorderFileList(how); }); });
    }
    filesListBox_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(filesListBox_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        updateListMenu();
        listMenu_->popup(filesListBox_->viewport()->mapToGlobal(at));
    });
    connect(sortedChk_, &QCheckBox::toggled, this, [this] { updateListMenu(); });
    updateListMenu();
}

// A sorted list keeps its own order, so the one-off orders wait until sorting is off.
void TMainForm::updateListMenu() {
    const bool sorted = sortedChk_->isChecked() || (fileList_ && fileList_->sortedMode());
    for (QAction* action : listMenu_->actions()) {
        action->setEnabled(!sorted);
    }
}

void TMainForm::reorderFileList(Reordering how) {
    if (how == Reordering::ByDateTaken) {
        // Each photo's header is read: a moment on a long list from a slow disk.
        QApplication::setOverrideCursor(Qt::WaitCursor);
        try {
            fileList_->reorder(*project_, how);
        } catch (...) {
            QApplication::restoreOverrideCursor();
            throw;
        }
        QApplication::restoreOverrideCursor();
        return;
    }
    fileList_->reorder(*project_, how);
}

} // namespace fotoplex
