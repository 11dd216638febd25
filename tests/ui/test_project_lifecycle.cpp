// The project's lifecycle in the window: start-up, the title, New, Open, Save, Save As and
// the automatic save to last.hgp at closing, with their questions and failures.
#include "base/Version.h"
#include "project/TProject.h"
#include "support/ScriptedDialogs.h"
#include "ui/MainForm.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace fotoplex;
using fotoplex::testing::ScriptedDialogs;

namespace {

struct CurrentFolderGuard {
    QString saved = QDir::currentPath();
    ~CurrentFolderGuard() { QDir::setCurrent(saved); }
};

QString titleOf(const std::string& fileName, bool modified) {
    return QString("Fotoplex %1 - [%2]%3")
        .arg(kVersionText, QString::fromStdString(fileName), modified ? " *" : "");
}

} // namespace

class ProjectLifecycleTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<TMainForm> form_;

    QString path(const QString& name) const { return dir_->filePath(name); }
    std::string lastHgp() const { return path("last.hgp").toStdString(); }

    void start() {
        MainFormOptions options;
        options.dialogs = &dialogs_;
        options.lastProjectPath = lastHgp();
        form_ = std::make_unique<TMainForm>(options);
    }

    // Asks the window to close, as its close button does; true when it closed.
    bool requestClose() { return form_->close(); }

    template <typename T> T* child(const char* name) { return form_->findChild<T*>(name); }

    void makeModified() { child<QLineEdit>("DocTitle")->setText("Changed"); }

    void writeProject(const QString& file, const std::string& docTitle, int cols) {
        TProject project;
        project.DocTitle = docTitle;
        project.TableCols = cols;
        project.Files = {"/photos/one.jpg", "/photos/two.jpg"};
        project.SaveAs(file.toStdString());
    }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        dialogs_.reset();
        start();
    }

    void cleanup() {
        form_.reset();
        dir_.reset();
    }

    void firstStartShowsDefaultsUnmodified() {
        QCOMPARE(form_->windowTitle(), titleOf("untitled.hgp", false));
        QVERIFY(!form_->project().Modified);
        QCOMPARE(form_->project().FileName, Text("untitled.hgp"));
        QCOMPARE(child<QSpinBox>("TableCols")->value(), 4);
        QVERIFY(dialogs_.asked.empty());
        QCOMPARE(form_->appTitle(), std::string("Fotoplex ") + kVersionText);
    }

    void changeSetsTheMarker() {
        makeModified();
        QVERIFY(form_->project().Modified);
        QCOMPARE(form_->windowTitle(), titleOf("untitled.hgp", true));
        form_->ShowTitle();
        QCOMPARE(form_->windowTitle(), titleOf("untitled.hgp", false));
    }

    void newRightAfterStartAsksNothing() {
        form_->NewProject1Click();
        QVERIFY(dialogs_.asked.empty());
        QVERIFY(dialogs_.saveRequests.empty());
        QVERIFY(form_->project().Modified);
        QCOMPARE(form_->windowTitle(), titleOf("untitled.hgp", true));
    }

    void newOnModifiedYesThenCancelDiscardsTheChanges() {
        makeModified();
        form_->programState().imagesBuilt = true;
        dialogs_.answers.push_back(Answer::Yes);
        dialogs_.saveFiles.push_back(std::nullopt);
        form_->NewProject1Click();
        QCOMPARE(dialogs_.asked.size(), std::size_t(1));
        QCOMPARE(dialogs_.asked[0].caption, std::string("Warning"));
        QCOMPARE(dialogs_.asked[0].text,
                 std::string("Current project is not saved. Do you want to save it?"));
        QCOMPARE(dialogs_.asked[0].buttons, MessageButtons::YesNo);
        QCOMPARE(dialogs_.asked[0].icon, MessageIcon::Warning);
        QCOMPARE(dialogs_.saveRequests.size(), std::size_t(1));
        QCOMPARE(dialogs_.saveRequests[0].fileName, std::string());
        QCOMPARE(child<QLineEdit>("DocTitle")->text(), QString());
        QCOMPARE(form_->project().DocTitle, Text(""));
        QVERIFY(!form_->programState().imagesBuilt);
        QCOMPARE(form_->windowTitle(), titleOf("untitled.hgp", true));
    }

    void newOnModifiedYesSavesUnderTheChosenName() {
        makeModified();
        dialogs_.answers.push_back(Answer::Yes);
        dialogs_.saveFiles.push_back(path("kept.hgp").toStdString());
        form_->NewProject1Click();
        QVERIFY(QFile::exists(path("kept.hgp")));
        TProject saved;
        saved.Load(path("kept.hgp").toStdString());
        QCOMPARE(saved.DocTitle, Text("Changed"));
        QCOMPARE(form_->project().DocTitle, Text(""));
        QCOMPARE(form_->project().FileName, Text("untitled.hgp"));
    }

    void newWhoseSaveFailsKeepsTheProject() {
        makeModified();
        const std::string bad = path("missing/folder/x.hgp").toStdString();
        dialogs_.answers.push_back(Answer::Yes);
        dialogs_.saveFiles.push_back(bad);
        form_->runCommand([this] { form_->NewProject1Click(); });
        QCOMPARE(dialogs_.lastText(), "Cannot create file " + bad + ": No such file or directory.");
        QCOMPARE(form_->project().DocTitle, Text("Changed"));
        QCOMPARE(form_->project().FileName, Text("untitled.hgp"));
        QVERIFY(form_->project().Modified);
        QCOMPARE(form_->windowTitle(), titleOf("untitled.hgp", true));
    }

    void openCancelledInTheDialogChangesNothing() {
        makeModified();
        dialogs_.openFiles.push_back(std::nullopt);
        form_->OpenProject1Click();
        QCOMPARE(dialogs_.openRequests.size(), std::size_t(1));
        const FileRequest& request = dialogs_.openRequests[0];
        QCOMPARE(request.filters.size(), std::size_t(2));
        QCOMPARE(request.filters[0].caption, std::string("HTML Gallery Project (*.hgp)"));
        QCOMPARE(request.filters[0].patterns, std::string("*.hgp"));
        QCOMPARE(request.filters[1].caption, std::string("All Files (*.*)"));
        QVERIFY(dialogs_.asked.empty());
        QCOMPARE(form_->project().DocTitle, Text("Changed"));
    }

    void openOnModifiedThenCancelKeepsTheProject() {
        writeProject(path("other.hgp"), "Other", 6);
        makeModified();
        const QString title = form_->windowTitle();
        dialogs_.openFiles.push_back(path("other.hgp").toStdString());
        dialogs_.answers.push_back(Answer::Cancel);
        form_->OpenProject1Click();
        QCOMPARE(dialogs_.asked.size(), std::size_t(1));
        const MessageRequest& asked = dialogs_.asked[0];
        QCOMPARE(asked.caption, std::string("Save Project"));
        QCOMPARE(asked.text, std::string("Current project is modified. Do you want to save it?"));
        QCOMPARE(asked.buttons, MessageButtons::YesNoCancel);
        QCOMPARE(asked.icon, MessageIcon::Question);
        QCOMPARE(asked.defaultAnswer, Answer::Cancel);
        QCOMPARE(form_->project().DocTitle, Text("Changed"));
        QVERIFY(form_->project().Modified);
        QCOMPARE(form_->windowTitle(), title);
        QCOMPARE(child<QSpinBox>("TableCols")->value(), 4);
    }

    void openShowsTheFileUnmodifiedAndSaveWritesItBack() {
        writeProject(path("other.hgp"), "Other", 6);
        form_->programState().thumbsBuilt = true;
        dialogs_.openFiles.push_back(path("other.hgp").toStdString());
        form_->OpenProject1Click();
        QVERIFY(dialogs_.asked.empty()); // not modified: nothing to ask
        QCOMPARE(form_->windowTitle(), titleOf(path("other.hgp").toStdString(), false));
        QVERIFY(!form_->project().Modified);
        QVERIFY(!form_->programState().thumbsBuilt);
        QCOMPARE(child<QSpinBox>("TableCols")->value(), 6);
        QCOMPARE(child<QLineEdit>("DocTitle")->text(), QString("Other"));
        QCOMPARE(form_->project().Files.size(), std::size_t(2));
        child<QLineEdit>("NextEdit")->setText("Weiter");
        form_->SaveProject1Click();
        QCOMPARE(form_->windowTitle(), titleOf(path("other.hgp").toStdString(), false));
        TProject back;
        back.Load(path("other.hgp").toStdString());
        QCOMPARE(back.NextText, Text("Weiter"));
    }

    void openOfAnUnreadableFileKeepsTheShownProject() {
        QDir(dir_->path()).mkdir("folder.hgp");
        makeModified();
        dialogs_.openFiles.push_back(path("folder.hgp").toStdString());
        dialogs_.answers.push_back(Answer::No);
        form_->runCommand([this] { form_->OpenProject1Click(); });
        QCOMPARE(dialogs_.lastText(),
                 "Cannot open file " + path("folder.hgp").toStdString() + ": Is a directory.");
        QCOMPARE(form_->project().DocTitle, Text("Changed"));
        QCOMPARE(child<QLineEdit>("DocTitle")->text(), QString("Changed"));
    }

    void saveOfAnUntitledProjectWritesIntoTheCurrentFolder() {
        CurrentFolderGuard guard;
        QDir::setCurrent(dir_->path());
        makeModified();
        form_->SaveProject1Click();
        QVERIFY(QFile::exists(path("untitled.hgp")));
        QVERIFY(!form_->project().Modified);
        QCOMPARE(form_->windowTitle(), titleOf("untitled.hgp", false));
    }

    void failedSaveKeepsTheMarker() {
        CurrentFolderGuard guard;
        QDir(dir_->path()).mkdir("untitled.hgp"); // a folder where the file should go
        QDir::setCurrent(dir_->path());
        makeModified();
        form_->runCommand([this] { form_->SaveProject1Click(); });
        QCOMPARE(dialogs_.asked.size(), std::size_t(1));
        QCOMPARE(dialogs_.asked[0].caption, std::string("Fotoplex")); // the application title
        QVERIFY(dialogs_.asked[0].text.rfind("Cannot create file untitled.hgp", 0) == 0);
        QVERIFY(form_->project().Modified);
        QCOMPARE(form_->windowTitle(), titleOf("untitled.hgp", true));
    }

    void saveAsProposesTheNameAndTakesTheNewOne() {
        makeModified();
        dialogs_.saveFiles.push_back(path("named.hgp").toStdString());
        form_->SaveProjectAs1Click();
        QCOMPARE(dialogs_.saveRequests.size(), std::size_t(1));
        QCOMPARE(dialogs_.saveRequests[0].fileName, std::string("untitled.hgp"));
        QCOMPARE(dialogs_.saveRequests[0].defaultExtension, std::string("hgp"));
        QCOMPARE(dialogs_.saveRequests[0].filters.size(), std::size_t(2));
        QVERIFY(QFile::exists(path("named.hgp")));
        QCOMPARE(form_->windowTitle(), titleOf(path("named.hgp").toStdString(), false));
        dialogs_.saveFiles.push_back(std::nullopt);
        child<QLineEdit>("DocTitle")->setText("Changed again");
        form_->SaveProjectAs1Click();
        QCOMPARE(form_->windowTitle(), titleOf(path("named.hgp").toStdString(), true));
    }

    void failedSaveAsKeepsTheOldName() {
        makeModified();
        dialogs_.saveFiles.push_back(path("no/such/dir/x.hgp").toStdString());
        form_->runCommand([this] { form_->SaveProjectAs1Click(); });
        QCOMPARE(form_->project().FileName, Text("untitled.hgp"));
        QVERIFY(form_->project().Modified);
        QCOMPARE(form_->windowTitle(), titleOf("untitled.hgp", true));
    }

    void closingSavesLastHgpAndTheNextStartRestoresItAsUntitled() {
        CurrentFolderGuard guard;
        child<QSpinBox>("TableCols")->setValue(7);
        child<QLineEdit>("NextEdit")->setText("Weiter");
        QVERIFY(requestClose());
        QVERIFY(dialogs_.asked.empty());
        QVERIFY(QFile::exists(path("last.hgp")));
        form_.reset();

        start();
        QVERIFY(dialogs_.asked.empty());
        QCOMPARE(child<QSpinBox>("TableCols")->value(), 7);
        QCOMPARE(child<QLineEdit>("NextEdit")->text(), QString("Weiter"));
        QCOMPARE(form_->project().FileName, Text("untitled.hgp"));
        QVERIFY(!form_->project().Modified);
        QCOMPARE(form_->windowTitle(), titleOf("untitled.hgp", false));

        // Save writes untitled.hgp into the current folder; last.hgp waits for the close.
        QDir::setCurrent(dir_->path());
        const QDateTime lastWritten = QFileInfo(path("last.hgp")).lastModified();
        child<QSpinBox>("TableCols")->setValue(8);
        form_->SaveProject1Click();
        QVERIFY(QFile::exists(path("untitled.hgp")));
        TProject last;
        last.Load(lastHgp());
        QCOMPARE(last.TableCols, 7);
        QCOMPARE(QFileInfo(path("last.hgp")).lastModified(), lastWritten);
    }

    void closingAnUnmodifiedProjectStillSaves() {
        QVERIFY(!form_->project().Modified);
        QVERIFY(requestClose());
        QVERIFY(QFile::exists(path("last.hgp")));
    }

    void failedAutoSaveKeepsTheWindowOpenButNeverTrapsTheUser() {
        // last.hgp cannot be written while a folder holds its name.
        QDir(dir_->path()).mkdir("last.hgp");
        form_->show();
        makeModified();
        QVERIFY(!requestClose());
        QVERIFY(form_->isVisible());
        QCOMPARE(dialogs_.asked.size(), std::size_t(1));
        QVERIFY(dialogs_.asked[0].text.rfind("Cannot create file " + lastHgp(), 0) == 0);
        QVERIFY(form_->project().Modified);
        QCOMPARE(form_->project().FileName, Text("untitled.hgp"));
        QCOMPARE(form_->windowTitle(), titleOf("untitled.hgp", true));

        // Once the cause is gone the close works.
        QDir(dir_->path()).rmdir("last.hgp");
        QVERIFY(requestClose());
        QVERIFY(QFile::exists(path("last.hgp")));
    }

    void aLastingSaveFailureLetsTheSecondCloseThrough() {
        QDir(dir_->path()).mkdir("last.hgp");
        form_->show();
        QVERIFY(!requestClose());
        QVERIFY(requestClose());
        QCOMPARE(dialogs_.asked.size(), std::size_t(2));
    }

    void unreadableLastHgpStartsWithDefaults() {
        form_.reset();
        QDir(dir_->path()).mkdir("last.hgp");
        start();
        QCOMPARE(dialogs_.asked.size(), std::size_t(1));
        QCOMPARE(dialogs_.asked[0].text, "Cannot open file " + lastHgp() + ": Is a directory.");
        QCOMPARE(child<QSpinBox>("TableCols")->value(), 4);
        QVERIFY(!form_->project().Modified);
        QCOMPARE(form_->windowTitle(), titleOf("untitled.hgp", false));
    }

    void exitClosesLikeTheCloseButton() {
        form_->show();
        form_->findChild<QAction*>("Exit1")->trigger();
        QVERIFY(!form_->isVisible());
        QVERIFY(QFile::exists(path("last.hgp")));
    }
};

QTEST_MAIN(ProjectLifecycleTest)
#include "test_project_lifecycle.moc"
