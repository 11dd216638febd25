// File > Open Recent: the projects last opened or saved, kept in a configuration folder of
// the test's own ($XDG_CONFIG_HOME).
#include "project/TProject.h"
#include "support/ScriptedDialogs.h"
#include "ui/MainForm.h"
#include "ui/RecentProjects.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace fotoplex;
using fotoplex::testing::ScriptedDialogs;

class RecentProjectsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir config_;
    std::unique_ptr<QTemporaryDir> dir_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<TMainForm> form_;

    QString path(const QString& name) const { return dir_->filePath(name); }
    QString confFile() const { return config_.filePath("fotoplex/fotoplex.conf"); }

    std::unique_ptr<TMainForm> makeForm() {
        MainFormOptions options;
        options.dialogs = &dialogs_;
        options.lastProjectPath = path("last.hgp").toStdString();
        return std::make_unique<TMainForm>(options);
    }

    QString writeProject(const QString& name, const std::string& docTitle) {
        TProject project;
        project.DocTitle = docTitle;
        project.SaveAs(path(name).toStdString());
        return path(name);
    }
    void open(const QString& file) { form_->openProjectFile(file.toStdString()); }

    // The recent entries as the menu shows them: (caption, path, tip) and the Clear Menu item.
    QList<QAction*> entries(TMainForm& form) {
        QList<QAction*> result;
        for (QAction* action : form.recentMenu()->actions()) {
            if (action->objectName() == "RecentProject") {
                result << action;
            }
        }
        return result;
    }
    QStringList shownPaths(TMainForm& form) {
        QStringList paths;
        for (QAction* action : entries(form)) {
            paths << action->data().toString();
        }
        return paths;
    }
    QAction* clearItem() { return form_->findChild<QAction*>("ClearRecent1"); }

private slots:
    void initTestCase() { qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit()); }

    void init() {
        QFile::remove(confFile());
        dir_ = std::make_unique<QTemporaryDir>();
        dialogs_.reset();
        form_ = makeForm();
    }
    void cleanup() {
        form_.reset();
        dir_.reset();
    }

    void theSubmenuFollowsOpenProject() {
        QMenu* file = form_->findChild<QMenu*>("FileMenu");
        const QList<QAction*> items = file->actions();
        QCOMPARE(items[1]->objectName(), QString("OpenProject1"));
        QCOMPARE(items[2]->objectName(), QString("OpenRecent1"));
        QCOMPARE(items[2]->text(), QString("Open Recent"));
        QCOMPARE(items[2]->menu(), form_->recentMenu());
        QCOMPARE(items[3]->objectName(), QString("SaveProject1"));
        // Empty at first: only Clear Menu, which has nothing to clear.
        QVERIFY(entries(*form_).isEmpty());
        QCOMPARE(form_->recentMenu()->actions().last(), clearItem());
        QCOMPARE(clearItem()->text(), QString("Clear Menu"));
        QVERIFY(!clearItem()->isEnabled());
    }

    void openedAndSavedProjectsComeFirst() {
        const QString a = writeProject("a.hgp", "A");
        const QString b = writeProject("b.hgp", "B");
        open(a);
        open(b);
        QCOMPARE(shownPaths(*form_), (QStringList{b, a}));
        // Saving under another name puts that name first; opening a listed one moves it up.
        dialogs_.saveFiles.push_back(path("saved as.hgp").toStdString());
        form_->SaveProjectAs1Click();
        open(a);
        QCOMPARE(shownPaths(*form_), (QStringList{a, path("saved as.hgp"), b}));
        form_->SaveProject1Click(); // a again: no second entry
        QCOMPARE(shownPaths(*form_), (QStringList{a, path("saved as.hgp"), b}));

        const QAction* first = entries(*form_).first();
        QCOMPARE(first->text(), QString("a.hgp"));
        QCOMPARE(first->toolTip(), dir_->path());
        QVERIFY(clearItem()->isEnabled());
        QVERIFY(form_->recentMenu()->toolTipsVisible());
        // Kept in the configuration folder, not in the project.
        QVERIFY(QFile::exists(confFile()));
        QFile project(a);
        QVERIFY(project.open(QIODevice::ReadOnly));
        QVERIFY(!project.readAll().contains("saved as"));
    }

    void atMostEightAndNewestFirst() {
        for (int i = 1; i <= 10; ++i) {
            open(writeProject(QString("p%1.hgp").arg(i), "P"));
        }
        QStringList expected;
        for (int i = 10; i >= 3; --i) {
            expected << path(QString("p%1.hgp").arg(i));
        }
        QCOMPARE(shownPaths(*form_), expected);
        // A second window (a second start) shows the same list.
        auto second = makeForm();
        QCOMPARE(shownPaths(*second), expected);
    }

    void choosingAnEntryOpensItAsOpenProjectDoes() {
        const QString a = writeProject("a.hgp", "From recent");
        open(a);
        form_->NewProject1Click();
        child_setDocTitle("Unsaved");
        dialogs_.answers.push_back(Answer::Cancel);
        entries(*form_).first()->trigger();
        QCOMPARE(dialogs_.asked.size(), std::size_t(1));
        QCOMPARE(dialogs_.asked[0].caption, std::string("Save Project"));
        QCOMPARE(form_->project().DocTitle, Text("Unsaved"));

        dialogs_.answers.push_back(Answer::No);
        entries(*form_).first()->trigger();
        QCOMPARE(form_->project().DocTitle, Text("From recent"));
        QCOMPARE(form_->project().FileName.str(), a.toStdString());
        QVERIFY(!form_->project().Modified);
    }

    void aVanishedProjectLeavesTheListWithAMessage() {
        const QString kept = writeProject("kept.hgp", "K");
        const QString gone = writeProject("gone.hgp", "G");
        open(kept);
        open(gone);
        open(kept);
        QFile::remove(gone);
        QAction* goneEntry = entries(*form_)[1];
        QCOMPARE(goneEntry->data().toString(), gone);
        goneEntry->trigger();
        QCOMPARE(dialogs_.asked.size(), std::size_t(1));
        QVERIFY(dialogs_.asked[0].text.find(gone.toStdString()) != std::string::npos);
        QCOMPARE(dialogs_.asked[0].icon, MessageIcon::Warning);
        QCOMPARE(shownPaths(*form_), (QStringList{kept}));
        QCOMPARE(form_->project().FileName.str(), kept.toStdString());
    }

    void clearMenuEmptiesTheList() {
        open(writeProject("a.hgp", "A"));
        clearItem()->trigger();
        QVERIFY(entries(*form_).isEmpty());
        QVERIFY(!clearItem()->isEnabled());
        QVERIFY(RecentProjects().paths().isEmpty());
    }

    void namesAreShownAsTheyAreAndLastHgpIsNeverListed() {
        const QString odd = writeProject("Tom & Jerry.hgp", "T");
        open(odd);
        QCOMPARE(entries(*form_).first()->text(), QString("Tom && Jerry.hgp"));
        form_->close(); // saves last.hgp
        QVERIFY(QFile::exists(path("last.hgp")));
        QCOMPARE(RecentProjects().paths(), (QStringList{odd}));
    }

    void aFailedOpenIsNotRemembered() {
        form_->runCommand([&] { open(path("missing.hgp")); });
        QCOMPARE(dialogs_.asked.size(), std::size_t(1)); // the error box
        QVERIFY(entries(*form_).isEmpty());
    }

private:
    void child_setDocTitle(const QString& text) {
        form_->findChild<QLineEdit*>("DocTitle")->setText(text);
    }
};

QTEST_MAIN(RecentProjectsTest)
#include "test_recent_projects.moc"
