// The window's part in reporting pictures that could not be made: one warning box after the
// run, through the same dialogs port as every other question.
#include "ScriptedDialogs.h"
#include "production/PictureProblems.h"
#include "project/TProject.h"
#include "ui/MainForm.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace fotoplex;
using fotoplex::testing::ScriptedDialogs;

class PictureProblemsWindowTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<TMainForm> form_;

    PictureProblems& problems() { return form_->programState().pictureProblems; }

private slots:
    void init() {
        dialogs_.reset();
        MainFormOptions options;
        options.dialogs = &dialogs_;
        options.lastProjectPath = dir_.filePath("last.hgp").toStdString();
        form_ = std::make_unique<TMainForm>(options);
        form_->project().Files = {"/photos/junk.jpg", "/photos/cut.jpg"};
    }

    void cleanup() { form_.reset(); }

    void buildGalleryShowsOneWarningWhenTheRunEnds() {
        std::size_t askedWhileRunning = 99;
        form_->setBuildSteps(
            {[&] {
                 NotePictureFailed(problems(), "/photos/junk.jpg", "not a readable JPEG header");
                 return true;
             },
             [&] {
                 NotePictureFailed(problems(), "/photos/junk.jpg", "not a readable JPEG header");
                 NotePicturePartial(problems(), "/photos/cut.jpg");
                 askedWhileRunning = dialogs_.asked.size();
                 return true;
             }});
        form_->BuildAllBtnClick();
        QCOMPARE(askedWhileRunning, std::size_t(0));
        QCOMPARE(dialogs_.asked.size(), std::size_t(1));
        QCOMPARE(dialogs_.asked[0].caption, std::string("Warning"));
        QVERIFY(dialogs_.asked[0].icon == MessageIcon::Warning);
        QCOMPARE(dialogs_.asked[0].text,
                 std::string("1 picture could not be made:\n"
                             "/photos/junk.jpg: not a readable JPEG header\n"
                             "1 picture was read only in part (damaged data, written as far "
                             "as read): cut.jpg"));
        QVERIFY(!form_->isLocked());
    }

    void aRunWithEveryPictureMadeShowsNothing() {
        form_->setBuildSteps({[] { return true; }});
        form_->BuildAllBtnClick();
        form_->setImageJob([] { return true; });
        form_->findChild<QPushButton*>("BuildImagesBtn")->click();
        QVERIFY(dialogs_.asked.empty());
    }

    void theImagesAndThumbnailsCommandsShowTheirOwnList() {
        form_->setThumbJob([&] {
            NotePictureFailed(problems(), "/photos/junk.jpg", "Cannot open file /photos/junk.jpg");
            return true;
        });
        form_->findChild<QPushButton*>("BuildThumbsBtn")->click();
        QCOMPARE(dialogs_.asked.size(), std::size_t(1));
        QCOMPARE(dialogs_.asked[0].text, std::string("1 picture could not be made:\n"
                                                     "/photos/junk.jpg: Cannot open file "
                                                     "/photos/junk.jpg"));
        QVERIFY(!form_->isLocked());
    }
};

QTEST_MAIN(PictureProblemsWindowTest)
#include "test_picture_problems.moc"
