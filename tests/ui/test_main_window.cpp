// The window's structure: size, side bar, pages, menus, status bar, locking, key hook, help.
#include "base/Error.h"
#include "project/TProject.h"
#include "support/ScriptedDialogs.h"
#include "ui/HelpViewer.h"
#include "ui/KeyHook.h"
#include "ui/MainForm.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <memory>

using namespace fotoplex;
using fotoplex::testing::ScriptedDialogs;

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<TMainForm> form_;

    template <typename T> T* child(const char* name) {
        T* found = form_->findChild<T*>(name);
        if (!found) {
            qWarning("missing control %s", name);
        }
        return found;
    }

    QAction* action(const char* name) { return child<QAction>(name); }

    QStackedWidget* pages() { return child<QStackedWidget>("PageControl"); }

    QListWidget* sideBarItems() { return child<QListWidget>("SideBarItems"); }

    void activate() {
        form_->show();
        QApplication::setActiveWindow(form_.get());
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    }

private slots:
    void init() {
        dialogs_.reset();
        MainFormOptions options;
        options.dialogs = &dialogs_;
        options.lastProjectPath = dir_.filePath("last.hgp").toStdString();
        form_ = std::make_unique<TMainForm>(options);
    }

    void cleanup() {
        if (form_) {
            form_->hide();
        }
        form_.reset();
    }

    void windowHasFixedClientArea() {
        QVERIFY(form_->centralWidget());
        const int menuHeight = form_->menuBar()->sizeHint().height();
        QCOMPARE(form_->minimumSize(), form_->maximumSize());
        QCOMPARE(form_->width(), kClientWidth);
        QCOMPARE(form_->height(), kClientHeight + menuHeight);
        QVERIFY(!(form_->windowFlags() & Qt::WindowMaximizeButtonHint));
    }

    void sideBarListsTheSixDesignItemsWithIcons() {
        QListWidget* items = sideBarItems();
        QVERIFY(items);
        QCOMPARE(form_->findChild<QWidget*>("SideBar")->width(), 100);
        QCOMPARE(form_->findChild<QLabel*>("SideBarGroupDesign")->text(), QString("Design"));
        const QStringList captions = {"Files",   "Images",   "Thumbnails",
                                      "Gallery", "Advanced", "Build"};
        QCOMPARE(items->count(), 6);
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(items->item(i)->text(), captions[i]);
            QVERIFY2(!items->item(i)->icon().isNull(), qPrintable(captions[i]));
            QVERIFY(items->item(i)->icon().availableSizes().contains(QSize(32, 32)));
        }
        QCOMPARE(items->iconSize(), QSize(32, 32));
    }

    void startsOnTheFirstItemAndPage() {
        QCOMPARE(sideBarItems()->currentRow(), 0);
        QCOMPARE(pages()->currentIndex(), 0);
        QCOMPARE(pages()->currentWidget()->objectName(), QString("FilesTabSheet"));
    }

    void pagesAreInSideBarOrder() {
        const QStringList names = {"FilesTabSheet",   "ImagesTabSheet",   "ThumbsTabSheet",
                                   "GalleryTabSheet", "AdvancedTabSheet", "BuildTabSheet"};
        QCOMPARE(pages()->count(), 6);
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(pages()->widget(i)->objectName(), names[i]);
        }
    }

    void sideBarSelectionShowsItsPage() {
        for (int i : {4, 1, 5, 0}) {
            sideBarItems()->setCurrentRow(i);
            QCOMPARE(pages()->currentIndex(), i);
        }
    }

    void clearedSideBarSelectionFallsBackToTheFirstItem() {
        sideBarItems()->setCurrentRow(2);
        sideBarItems()->setCurrentRow(-1);
        QCOMPARE(sideBarItems()->currentRow(), 0);
        QCOMPARE(pages()->currentIndex(), 0);
    }

    void designMenuSelectsSideBarItems() {
        const std::pair<const char*, int> items[] = {
            {"Images1", 1}, {"Thumbnails1", 2}, {"Advanced1", 4}, {"Build1", 5}, {"Files1", 0}};
        for (const auto& [name, index] : items) {
            action(name)->trigger();
            QCOMPARE(sideBarItems()->currentRow(), index);
            QCOMPARE(pages()->currentIndex(), index);
        }
    }

    void galleryShowsTitlesFirstThenTheUsersChoice() {
        auto* tabs = child<QTabWidget>("GalleryPageControl");
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->tabText(0), QString("General"));
        QCOMPARE(tabs->tabText(1), QString("Titles"));
        QCOMPARE(tabs->widget(0)->objectName(), QString("GalleryGeneral"));
        QCOMPARE(tabs->widget(1)->objectName(), QString("GalleryTitles"));
        sideBarItems()->setCurrentRow(3);
        QCOMPARE(tabs->currentIndex(), 1);
        tabs->setCurrentIndex(0);
        sideBarItems()->setCurrentRow(0);
        sideBarItems()->setCurrentRow(3);
        QCOMPARE(tabs->currentIndex(), 0);
    }

    void designGalleryTitlesWhileGeneralIsShown() {
        auto* tabs = child<QTabWidget>("GalleryPageControl");
        action("General1")->trigger();
        QCOMPARE(sideBarItems()->currentRow(), 3);
        QCOMPARE(tabs->currentIndex(), 0);
        action("Titles1")->trigger();
        QCOMPARE(sideBarItems()->currentRow(), 3);
        QCOMPARE(pages()->currentIndex(), 3);
        QCOMPARE(tabs->currentIndex(), 1);
        action("Files1")->trigger();
        action("General1")->trigger();
        QCOMPARE(pages()->currentIndex(), 3);
        QCOMPARE(tabs->currentIndex(), 0);
    }

    void pageTabsAreHidden() {
        // The pages have no tab bar of their own: only the Gallery page's inner tabs show.
        QVERIFY(!form_->findChild<QTabWidget*>("PageControl"));
        QCOMPARE(form_->findChildren<QTabWidget*>().size(), 1);
    }

    void mainMenuCaptionsAndKeys_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("key");
        const char* rows[][3] = {{"NewProject1", "New Project", "Ctrl+N"},
                                 {"OpenProject1", "Open Project...", "Ctrl+O"},
                                 {"SaveProject1", "Save Project", "Ctrl+S"},
                                 {"SaveProjectAs1", "Save Project As...", ""},
                                 {"SelectImages1", "Select Images...", ""},
                                 {"AddImages1", "Add Images...", ""},
                                 {"ClearList1", "Cl&ear List", "F4"},
                                 {"Exit1", "E&xit", "Ctrl+X"},
                                 {"Files1", "Files", ""},
                                 {"Images1", "Images", ""},
                                 {"Thumbnails1", "Thumbnails", ""},
                                 {"General1", "General", ""},
                                 {"Titles1", "Titles", ""},
                                 {"Advanced1", "Advanced", ""},
                                 {"Build1", "Build", ""},
                                 {"BuildImages1", "Images", ""},
                                 {"BuildThumbnails1", "&Thumbnails", ""},
                                 {"BuildGallery1", "Gallery", "F9"},
                                 {"Contents1", "Contents", "F1"},
                                 {"GoToHomepage1", "&Go To Homepage", ""},
                                 {"About1", "&About", ""}};
        for (const auto& row : rows) {
            QTest::newRow(row[0]) << row[0] << row[1] << row[2];
        }
    }

    void mainMenuCaptionsAndKeys() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, key);
        QAction* item = form_->findChild<QAction*>(name);
        QVERIFY(item);
        QCOMPARE(item->text(), caption);
        QCOMPARE(item->shortcut(), QKeySequence(key));
    }

    void topLevelMenusInOrder() {
        const QList<QAction*> menus = form_->menuBar()->actions();
        QCOMPARE(menus.size(), 4);
        QCOMPARE(menus[0]->text(), QString("&File"));
        QCOMPARE(menus[1]->text(), QString("&Design"));
        QCOMPARE(menus[2]->text(), QString("&Build"));
        QCOMPARE(menus[3]->text(), QString("&Help"));
        // File: 4 project items, separator, 2 image items, separator, clear, separator, exit;
        // the Open Recent submenu comes in after Open Project... and moves nothing else.
        QList<QAction*> file = menus[0]->menu()->actions();
        QCOMPARE(file[2]->objectName(), QString("OpenRecent1"));
        file.removeAt(2);
        QCOMPARE(file.size(), 11);
        QVERIFY(file[4]->isSeparator() && file[7]->isSeparator() && file[9]->isSeparator());
        QCOMPARE(file[10]->objectName(), QString("Exit1"));
        QMenu* gallery = form_->findChild<QMenu*>("GalleryMenu");
        QCOMPARE(gallery->menuAction()->text(), QString("Gallery"));
        QCOMPARE(gallery->actions().size(), 2);
        const QList<QAction*> build = menus[2]->menu()->actions();
        QCOMPARE(build.size(), 4);
        QVERIFY(build[2]->isSeparator());
    }

    void statusBarHasTwoPanels() {
        QStatusBar* bar = form_->statusBar();
        QCOMPARE(bar->objectName(), QString("StatusBar"));
        auto* first = child<QLabel>("StatusPanel0");
        auto* second = child<QLabel>("StatusPanel1");
        QVERIFY(first && second);
        QCOMPARE(first->width(), 246);
        QVERIFY(second->minimumWidth() >= 50);
    }

    void lockDisablesMenusAndControlsAndUnlockRestoresThem() {
        auto* resize = child<QCheckBox>("ResizeImgChk");
        auto* width = child<QSpinBox>("ImgWidthSpinEdit");
        QVERIFY(!width->isEnabled()); // resizing is off by default
        form_->LockWindow();
        for (QAction* menu : form_->menuBar()->actions()) {
            QVERIFY(!menu->isEnabled());
        }
        QVERIFY(!pages()->isEnabled());
        QVERIFY(!form_->findChild<QWidget*>("SideBar")->isEnabled());
        QVERIFY(!form_->statusBar()->isEnabled());
        QVERIFY(!resize->isEnabled());
        form_->UnlockWindow();
        for (QAction* menu : form_->menuBar()->actions()) {
            QVERIFY(menu->isEnabled());
        }
        QVERIFY(pages()->isEnabled());
        QVERIFY(resize->isEnabled());
        QVERIFY(!width->isEnabled()); // its own state comes back
    }

    void shortcutsDoNothingWhileLocked() {
        activate();
        form_->MarkModified();
        form_->LockWindow();
        QTest::keyClick(form_.get(), Qt::Key_F9);
        QTest::keyClick(form_.get(), Qt::Key_S, Qt::ControlModifier);
        QTest::keyClick(form_.get(), Qt::Key_N, Qt::ControlModifier);
        QVERIFY(form_->project().Modified);
        QVERIFY(dialogs_.asked.empty());
        form_->UnlockWindow();
        QTest::keyClick(form_.get(), Qt::Key_F9); // an empty list: the sequence only complains
        QCOMPARE(dialogs_.lastText(), std::string("Please select files first."));
    }
    void f9RunsBuildGalleryInsideTheLock() {
        activate();
        form_->project().Files = {"/tmp/a.jpg"};
        child<QLineEdit>("TargetDirEdit")->setText(dir_.filePath("missing"));
        bool lockedDuringQuestion = false;
        dialogs_.onAsk = [&](const MessageRequest&) { lockedDuringQuestion = form_->isLocked(); };
        QTest::keyClick(form_.get(), Qt::Key_F9); // the folder question is answered No
        dialogs_.onAsk = nullptr;
        QCOMPARE(dialogs_.lastText(),
                 std::string("Target directory does not exist. Do you want to create it?"));
        QVERIFY(lockedDuringQuestion);
        QVERIFY(!form_->isLocked());
        QCOMPARE(pages()->currentIndex(), 5);
        QCOMPARE(sideBarItems()->currentRow(), 5);
    }
    void buildGalleryWithoutFilesOnlyComplains() {
        action("BuildGallery1")->trigger();
        QCOMPARE(dialogs_.asked.size(), std::size_t(1));
        QCOMPARE(dialogs_.asked[0].text, std::string("Please select files first."));
        QCOMPARE(dialogs_.asked[0].caption, std::string("Error"));
        QCOMPARE(dialogs_.asked[0].icon, MessageIcon::Warning);
        QCOMPARE(pages()->currentIndex(), 0);
        QVERIFY(!form_->isLocked());
    }
    void failedBuildStepStillUnlocksAndShowsTheError() {
        QTemporaryDir target;
        const QString saved = QDir::currentPath();
        form_->project().Files = {FOTOPLEX_SOURCE_DIR "/resources/sample-640x480.jpg"};
        form_->project().ShowWhenReady = true;
        child<QLineEdit>("TargetDirEdit")->setText(target.path());
        QFile blocker(target.filePath("thumbs")); // a file where the thumbnail folder goes
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        action("BuildGallery1")->trigger();
        QDir::setCurrent(saved);
        QVERIFY(QFile::exists(target.filePath("img/sample-640x480.jpg")));
        QVERIFY(!QFile::exists(target.filePath("main.css")));
        QVERIFY(!form_->isLocked());
        for (QAction* menu : form_->menuBar()->actions()) {
            QVERIFY(menu->isEnabled());
        }
        QVERIFY(pages()->isEnabled());
        QCOMPARE(child<QProgressBar>("TotalProgress")->value(), 0);
        QVERIFY(!form_->programState().jobCancelled);
        QCOMPARE(dialogs_.asked.size(), std::size_t(1));
        QCOMPARE(dialogs_.asked[0].text,
                 "Cannot create " + target.filePath("thumbs").toStdString() + "/.");
        QCOMPARE(dialogs_.asked[0].caption, std::string("Fotoplex")); // the application title
        QCOMPARE(dialogs_.asked[0].icon, MessageIcon::Error);
    }
    void imageAndThumbnailCommandsLockAroundTheirJob() {
        QTemporaryDir target;
        const QString saved = QDir::currentPath();
        child<QLineEdit>("TargetDirEdit")->setText(target.path());
        std::vector<bool> locked;
        dialogs_.onAsk = [&](const MessageRequest&) { locked.push_back(form_->isLocked()); };
        child<QPushButton>("BuildImagesBtn")->click(); // an empty list: the job complains
        action("BuildThumbnails1")->trigger();
        dialogs_.onAsk = nullptr;
        QDir::setCurrent(saved);
        QCOMPARE(dialogs_.texts(), (std::vector<std::string>{"Please select files first.",
                                                             "Please select files first."}));
        QCOMPARE(locked, (std::vector<bool>{true, true}));
        QVERIFY(!form_->isLocked());
    }
    void buildGalleryMakesTheWholeGalleryWithTheRealJobs() {
        QTemporaryDir target;
        const QString saved = QDir::currentPath();
        auto fresh = std::make_unique<TMainForm>(
            MainFormOptions{&dialogs_, nullptr, dir_.filePath("l.hgp").toStdString()});
        fresh->project().Files = {FOTOPLEX_SOURCE_DIR "/resources/sample-640x480.jpg"};
        fresh->findChild<QLineEdit*>("TargetDirEdit")->setText(target.path());
        fresh->findChild<QAction*>("BuildGallery1")->trigger();
        QDir::setCurrent(saved);
        QVERIFY(!fresh->isLocked());
        QVERIFY2(dialogs_.asked.empty(), dialogs_.lastText().c_str());
        QVERIFY(QFile::exists(target.filePath("img/sample-640x480.jpg")));
        QVERIFY(QFile::exists(target.filePath("thumbs/tn_sample-640x480.jpg")));
        QVERIFY(QFile::exists(target.filePath("index.html")));
        QVERIFY(QFile::exists(target.filePath("sample-640x480_jpg.html")));
        QVERIFY(fresh->programState().imagesBuilt);
        QVERIFY(fresh->programState().thumbsBuilt);
        QCOMPARE(fresh->programState().thumbSizes.widths, std::vector<std::string>{"120"});
        QCOMPARE(fresh->findChild<QProgressBar*>("TotalProgress")->value(), 0);
    }

    void aRefusedFolderEndsTheBuildAtTheFirstStep() {
        QTemporaryDir target;
        const QString saved = QDir::currentPath();
        auto fresh = std::make_unique<TMainForm>(
            MainFormOptions{&dialogs_, nullptr, dir_.filePath("l.hgp").toStdString()});
        fresh->project().Files = {"/photos/beach.jpg"};
        fresh->findChild<QLineEdit*>("TargetDirEdit")->setText(target.filePath("new"));
        dialogs_.answers.push_back(Answer::No); // do not create the folder
        fresh->BuildAllBtnClick();
        QDir::setCurrent(saved);
        QCOMPARE(dialogs_.asked.size(), std::size_t(1));
        QCOMPARE(dialogs_.asked[0].text,
                 std::string("Target directory does not exist. Do you want to create it?"));
        QVERIFY(!QFile::exists(target.filePath("new")));
        QVERIFY(!fresh->programState().jobCancelled);
        QVERIFY(!fresh->isLocked());
    }

    void escapeIsRecordedAndSwallowed() {
        activate();
        QCOMPARE(form_->programState().lastKey, std::uint16_t(0));
        auto* edit = child<QLineEdit>("TargetDirEdit");
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A);
        QCOMPARE(form_->programState().lastKey, std::uint16_t('A'));
        const QString text = edit->text();
        QTest::keyClick(edit, Qt::Key_Escape);
        QCOMPARE(form_->programState().lastKey, std::uint16_t(27));
        QCOMPARE(edit->text(), text);
        QVERIFY(form_->isVisible());
        QVERIFY(dialogs_.asked.empty());
    }

    // Exit's Ctrl+X comes before an edit's Cut: the window closes (keeping the project in
    // last.hgp) and the edit keeps its text.
    void ctrlXExitsAlsoFromAnEdit() {
        activate();
        for (const char* name : {"TargetDirEdit", "FilesListBox"}) {
            form_->show();
            QApplication::setActiveWindow(form_.get());
            QVERIFY(QTest::qWaitForWindowActive(form_.get()));
            auto* control = child<QWidget>(name);
            control->setFocus();
            QVERIFY(control->hasFocus());
            auto* edit = qobject_cast<QLineEdit*>(control);
            if (edit) {
                edit->setText("/some/folder");
                edit->selectAll();
            }
            QFile::remove(dir_.filePath("last.hgp"));
            QTest::keyClick(control, Qt::Key_X, Qt::ControlModifier);
            QVERIFY2(!form_->isVisible(), name);
            QVERIFY(QFile::exists(dir_.filePath("last.hgp")));
            if (edit) {
                QCOMPARE(edit->text(), QString("/some/folder"));
            }
        }
    }

    void lockedWindowIgnoresCtrlX() {
        activate();
        form_->LockWindow();
        QTest::keyClick(form_.get(), Qt::Key_X, Qt::ControlModifier);
        QVERIFY(form_->isVisible());
        form_->UnlockWindow();
    }

    void escapeReachesTheHookWhileLocked() {
        activate();
        form_->LockWindow();
        QTest::keyClick(form_.get(), Qt::Key_Escape);
        QCOMPARE(form_->programState().lastKey, std::uint16_t(27));
        form_->UnlockWindow();
    }

    void keyCodesAreTheJobsCodes() {
        QCOMPARE(keyCode(Qt::Key_Escape), std::uint16_t(27));
        QCOMPARE(keyCode(Qt::Key_Z), std::uint16_t('Z'));
        QCOMPARE(keyCode(Qt::Key_7), std::uint16_t('7'));
        QCOMPARE(keyCode(Qt::Key_F1), std::uint16_t(112));
        QCOMPARE(keyCode(Qt::Key_Return), std::uint16_t(13));
        QCOMPARE(keyCode(Qt::Key_unknown), std::uint16_t(0));
    }

    void helpOpensTheGuideAtItsContents() {
        action("Contents1")->trigger();
        auto* help = form_->findChild<HelpViewer*>("HelpViewer");
        QVERIFY(help);
        QVERIFY(help->isVisible());
        // The guide is read from the build folder's share/fotoplex, as an installed program
        // reads it from its prefix.
        const QUrl page = help->currentPage();
        QVERIFY(page.isLocalFile());
        QVERIFY2(page.toLocalFile().endsWith("/share/fotoplex/help/index.html"),
                 qPrintable(page.toString()));
        auto* browser = help->findChild<QTextBrowser*>("HelpBrowser");
        QVERIFY(browser);
        QVERIFY(browser->toPlainText().contains("Fotoplex"));
        help->close();
    }

    void aboutBoxShowsTheTitleAndCloses() {
        QString seenTitle;
        QString seenText;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            QVERIFY(box);
            seenTitle = box->windowTitle();
            seenText = box->findChild<QLabel*>("AboutTitle")->text();
            box->findChild<QPushButton*>("AboutCloseBtn")->click();
        });
        action("About1")->trigger();
        QCOMPARE(seenTitle, QString("About"));
        QCOMPARE(seenText, QString::fromStdString(form_->appTitle()));
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
