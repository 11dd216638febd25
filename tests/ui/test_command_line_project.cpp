// A project named on the window's command line: which word is taken, and that it opens after
// start-up as File > Open opens a project, failures included.
#include "support/ScriptedDialogs.h"
#include "base/Version.h"
#include "project/TProject.h"
#include "ui/CommandLineProject.h"
#include "ui/MainForm.h"

#include <QDir>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <memory>

using namespace fotoplex;
using fotoplex::testing::ScriptedDialogs;

class CommandLineProjectTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<TMainForm> form_;

    std::string path(const char* name) const { return dir_->filePath(name).toStdString(); }

    void start() {
        MainFormOptions options;
        options.dialogs = &dialogs_;
        options.lastProjectPath = path("last.hgp");
        form_ = std::make_unique<TMainForm>(options);
    }

    void writeProject(const std::string& file, const std::string& docTitle) {
        TProject project;
        project.DocTitle = docTitle;
        project.TableCols = 7;
        project.Files = {"/photos/one.jpg"};
        project.SaveAs(file);
    }

    QString title(const std::string& fileName) const {
        return QString("Fotoplex %1 - [%2]").arg(kVersionText, QString::fromStdString(fileName));
    }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        dialogs_.reset();
    }

    void cleanup() {
        form_.reset();
        dir_.reset();
    }

    void theFirstWordThatIsNoOptionIsTheProject() {
        QCOMPARE(projectToOpen({}), std::nullopt);
        QCOMPARE(projectToOpen({"--verbose", "-x"}), std::nullopt);
        QCOMPARE(projectToOpen({"-x", "/a/one.hgp", "/a/two.hgp"}),
                 std::optional<std::string>("/a/one.hgp"));
        QCOMPARE(projectToOpen({"", "/a/b/../one.hgp"}), std::optional<std::string>("/a/one.hgp"));
        // After "--" a name that starts with a dash is a file.
        const std::string dashed = projectToOpen({"--", "-odd.hgp"}).value_or("");
        QCOMPARE(dashed, (std::filesystem::current_path() / "-odd.hgp").string());
    }

    void aRelativeNameIsTakenFromTheCurrentFolder() {
        const QString saved = QDir::currentPath();
        QDir::setCurrent(dir_->path());
        const auto project = projectToOpen({"gallery.hgp"});
        QDir::setCurrent(saved);
        QCOMPARE(QString::fromStdString(project.value_or("")),
                 QDir(dir_->path()).canonicalPath() + "/gallery.hgp");
    }

    // After the project of the last session is restored, the named project replaces it
    // without a question and the title names its full path.
    void opensAfterStartUpReplacingTheRestoredProject() {
        writeProject(path("last.hgp"), "Last session");
        writeProject(path("trip.hgp"), "Trip");
        start();
        QCOMPARE(form_->findChild<QLineEdit*>("DocTitle")->text(), QString("Last session"));
        form_->programState().imagesBuilt = true;
        form_->runCommand([&] { form_->openProjectFile(path("trip.hgp")); });
        QVERIFY(dialogs_.asked.empty());
        QCOMPARE(form_->findChild<QLineEdit*>("DocTitle")->text(), QString("Trip"));
        QCOMPARE(form_->project().FileName.str(), path("trip.hgp"));
        QVERIFY(!form_->project().Modified);
        QVERIFY(!form_->programState().imagesBuilt);
        QCOMPARE(form_->windowTitle(), title(path("trip.hgp")));
    }

    void aMissingFileIsAnErrorAndTheWindowKeepsItsProject() {
        writeProject(path("last.hgp"), "Last session");
        start();
        form_->runCommand([&] { form_->openProjectFile(path("gone.hgp")); });
        QCOMPARE(dialogs_.asked.size(), std::size_t(1));
        QCOMPARE(dialogs_.lastText(),
                 "Cannot open file " + path("gone.hgp") + ": No such file or directory.");
        QCOMPARE(form_->findChild<QLineEdit*>("DocTitle")->text(), QString("Last session"));
        QCOMPARE(form_->windowTitle(), title("untitled.hgp"));
    }
};

QTEST_MAIN(CommandLineProjectTest)
#include "test_command_line_project.moc"
