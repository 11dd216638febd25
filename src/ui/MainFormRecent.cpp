// File > Open Recent: the projects last opened or saved.
#include "project/TProject.h"
#include "ui/MainForm.h"
#include "ui/QtText.h"
#include "ui/RecentProjects.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

namespace fotoplex {

void TMainForm::buildRecentMenu() {
    recent_ = std::make_unique<RecentProjects>();
    recentMenu_ = fileMenu_->addMenu("Open Recent");
    recentMenu_->setObjectName("OpenRecentMenu");
    recentMenu_->menuAction()->setObjectName("OpenRecent1");
    recentMenu_->setToolTipsVisible(true);
    // Another window may have changed the list meanwhile.
    connect(recentMenu_, &QMenu::aboutToShow, this, [this] { refreshRecentMenu(); });
    refreshRecentMenu();
}

void TMainForm::refreshRecentMenu() {
    recentMenu_->clear();
    const QStringList paths = recent_->paths();
    for (const QString& path : paths) {
        const QFileInfo file(path);
        QString caption = file.fileName();
        QAction* item = recentMenu_->addAction(caption.replace("&", "&&"));
        item->setObjectName("RecentProject");
        item->setData(path);
        item->setToolTip(file.absolutePath());
        connect(item, &QAction::triggered, this,
                [this, path] { runCommand([this, path] { openRecentProject(path); }); });
    }
    recentMenu_->addSeparator();
    QAction* clear = recentMenu_->addAction("Clear Menu");
    clear->setObjectName("ClearRecent1");
    clear->setEnabled(!paths.isEmpty());
    connect(clear, &QAction::triggered, this, [this] {
        recent_->clear();
        refreshRecentMenu();
    });
}

void TMainForm::openRecentProject(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        recent_->forget(path);
        refreshRecentMenu();
        dialogs_->showWarning(kApplicationTitle,
                              "The project " + toText(path) +
                                  " no longer exists. It was removed from the list of recent "
                                  "projects.");
        return;
    }
    openProjectFile(toText(path));
}

// A project that was saved or opened goes first in Open Recent; last.hgp never does.
void TMainForm::rememberProject() {
    if (!recent_) {
        return;
    }
    recent_->remember(toQString(project_->FileName.str()));
    refreshRecentMenu();
}

} // namespace fotoplex
