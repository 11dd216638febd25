#include "ui/MainForm.h"
#include "ui/MenuShortcuts.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace fotoplex {

namespace {

QAction* addItem(QMenu* menu, const QString& name, const QString& caption,
                 const QKeySequence& key = {}) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    if (!key.isEmpty()) {
        action->setShortcut(key);
    }
    return action;
}

QMenu* addMenu(QMenuBar* bar, const QString& name, const QString& caption) {
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name + "Action");
    return menu;
}

} // namespace

void TMainForm::buildMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu");
    auto command = [this](QAction* action, void (TMainForm::*handler)()) {
        connect(action, &QAction::triggered, this,
                [this, handler] { runCommand([this, handler] { (this->*handler)(); }); });
    };
    auto page = [this](QAction* action, int item) {
        connect(action, &QAction::triggered, this,
                [this, item] { runCommand([this, item] { showDesignPage(item); }); });
    };

    fileMenu_ = addMenu(bar, "FileMenu", "&File");
    command(addItem(fileMenu_, "NewProject1", "New Project", QKeySequence("Ctrl+N")),
            &TMainForm::NewProject1Click);
    command(addItem(fileMenu_, "OpenProject1", "Open Project...", QKeySequence("Ctrl+O")),
            &TMainForm::OpenProject1Click);
    buildRecentMenu();
    command(addItem(fileMenu_, "SaveProject1", "Save Project", QKeySequence("Ctrl+S")),
            &TMainForm::SaveProject1Click);
    command(addItem(fileMenu_, "SaveProjectAs1", "Save Project As..."),
            &TMainForm::SaveProjectAs1Click);
    fileMenu_->addSeparator();
    command(addItem(fileMenu_, "SelectImages1", "Select Images..."),
            &TMainForm::SelectFilesBtnClick);
    command(addItem(fileMenu_, "AddImages1", "Add Images..."), &TMainForm::AddFilesBtnClick);
    fileMenu_->addSeparator();
    command(addItem(fileMenu_, "ClearList1", "Cl&ear List", QKeySequence("F4")),
            &TMainForm::ClearListBtnClick);
    fileMenu_->addSeparator();
    QAction* exit = addItem(fileMenu_, "Exit1", "E&xit", QKeySequence("Ctrl+X"));
    connect(exit, &QAction::triggered, this, [this] { close(); });

    designMenu_ = addMenu(bar, "DesignMenu", "&Design");
    page(addItem(designMenu_, "Files1", "Files"), 0);
    page(addItem(designMenu_, "Images1", "Images"), 1);
    page(addItem(designMenu_, "Thumbnails1", "Thumbnails"), 2);
    QMenu* gallery = designMenu_->addMenu("Gallery");
    gallery->setObjectName("GalleryMenu");
    gallery->menuAction()->setObjectName("Gallery1");
    QAction* general = addItem(gallery, "General1", "General");
    QAction* titles = addItem(gallery, "Titles1", "Titles");
    for (auto [action, tab] : {std::pair{general, 0}, std::pair{titles, 1}}) {
        connect(action, &QAction::triggered, this, [this, tab] {
            runCommand([this, tab] {
                showDesignPage(3);
                showGalleryTab(tab);
            });
        });
    }
    page(addItem(designMenu_, "Advanced1", "Advanced"), 4);
    page(addItem(designMenu_, "Build1", "Build"), 5);

    buildMenu_ = addMenu(bar, "BuildMenu", "&Build");
    command(addItem(buildMenu_, "BuildImages1", "Images"), &TMainForm::BuildImagesBtnClick);
    command(addItem(buildMenu_, "BuildThumbnails1", "&Thumbnails"),
            &TMainForm::BuildThumbsBtnClick);
    buildMenu_->addSeparator();
    command(addItem(buildMenu_, "BuildGallery1", "Gallery", QKeySequence("F9")),
            &TMainForm::BuildAllBtnClick);

    helpMenu_ = addMenu(bar, "HelpMenu", "&Help");
    command(addItem(helpMenu_, "Contents1", "Contents", QKeySequence("F1")),
            &TMainForm::showHelpContents);
    helpMenu_->addSeparator();
    command(addItem(helpMenu_, "GoToHomepage1", "&Go To Homepage"), &TMainForm::openHomePage);
    command(addItem(helpMenu_, "About1", "&About"), &TMainForm::showAboutBox);

    new MenuShortcutsFirst(bar); // Ctrl+X is Exit also while an edit has the focus
}

} // namespace fotoplex
