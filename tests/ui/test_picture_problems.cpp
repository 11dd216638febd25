// The window's part in reporting pictures that could not be made: one warning box after the
// run, through the same dialogs port as every other question, with the real jobs and as many
// workers as the window uses.
#include "project/TProject.h"
#include "support/ScriptedDialogs.h"
#include "ui/MainForm.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
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
    QString saved_;
    std::string junk_, cut_, good_;

    static void write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    static QByteArray sample(const char* name) {
        QFile file(QString(FOTOPLEX_SOURCE_DIR "/resources/samples/") + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void init() {
        saved_ = QDir::currentPath();
        dialogs_.reset();
        MainFormOptions options;
        options.dialogs = &dialogs_;
        options.lastProjectPath = dir_.filePath("last.hgp").toStdString();
        form_ = std::make_unique<TMainForm>(options);
        QDir(dir_.path()).mkpath("gallery");
        form_->findChild<QLineEdit*>("TargetDirEdit")->setText(dir_.filePath("gallery"));
        junk_ = dir_.filePath("junk.jpg").toStdString();
        cut_ = dir_.filePath("cut.jpg").toStdString();
        good_ = dir_.filePath("good.png").toStdString();
        write(dir_.filePath("junk.jpg"), "not a picture at all");
        const QByteArray rocket = sample("rocket.jpg");
        write(dir_.filePath("cut.jpg"), rocket.left(rocket.size() / 2));
        write(dir_.filePath("good.png"), sample("coffee.png"));
    }

    void cleanup() {
        form_.reset();
        QDir::setCurrent(saved_);
    }

    void buildGalleryShowsOneWarningWhenTheRunEnds() {
        form_->project().Files = {junk_, cut_, good_};
        std::vector<bool> lockedWhenAsked;
        dialogs_.onAsk = [&](const MessageRequest&) {
            lockedWhenAsked.push_back(form_->isLocked());
        };
        form_->BuildAllBtnClick();
        dialogs_.onAsk = nullptr;
        QCOMPARE(lockedWhenAsked, std::vector<bool>{false});
        QCOMPARE(dialogs_.asked[0].caption, std::string("Warning"));
        QVERIFY(dialogs_.asked[0].icon == MessageIcon::Warning);
        const std::string text = dialogs_.asked[0].text;
        const std::string failed = "1 picture could not be made:\n" + junk_ + ": ";
        QVERIFY2(text.rfind(failed, 0) == 0, text.c_str());
        const std::string partial = "1 picture was read only in part (damaged data, written as "
                                    "far as read): cut.jpg";
        QVERIFY2(text.size() > partial.size() &&
                     text.compare(text.size() - partial.size(), partial.size(), partial) == 0,
                 text.c_str());
        QVERIFY(QFile::exists(dir_.filePath("gallery/thumbs/tn_good.jpg")));
        QVERIFY(!QFile::exists(dir_.filePath("gallery/thumbs/tn_junk.jpg")));
        QVERIFY(!form_->isLocked());
    }

    void aRunWithEveryPictureMadeShowsNothing() {
        form_->project().Files = {good_};
        form_->BuildAllBtnClick();
        form_->findChild<QPushButton*>("BuildImagesBtn")->click();
        QVERIFY2(dialogs_.asked.empty(), dialogs_.lastText().c_str());
    }

    void theImagesAndThumbnailsCommandsShowTheirOwnList() {
        form_->project().Files = {junk_, good_};
        form_->findChild<QPushButton*>("BuildThumbsBtn")->click();
        QCOMPARE(dialogs_.asked.size(), std::size_t(1));
        const std::string text = dialogs_.asked[0].text;
        QVERIFY2(text.rfind("1 picture could not be made:\n" + junk_ + ": ", 0) == 0, text.c_str());
        QVERIFY(QFile::exists(dir_.filePath("gallery/thumbs/tn_good.jpg")));
        QVERIFY(!form_->isLocked());
    }

    void sameNamedPhotosAreNamedOnceInANoticeAfterTheWarning() {
        QDir(dir_.path()).mkpath("phone");
        QDir(dir_.path()).mkpath("camera");
        write(dir_.filePath("phone/IMG_0001.jpg"), sample("rocket.jpg"));
        write(dir_.filePath("camera/IMG_0001.jpg"), sample("hubble_deep_field.jpg"));
        const std::string phone = dir_.filePath("phone/IMG_0001.jpg").toStdString();
        const std::string camera = dir_.filePath("camera/IMG_0001.jpg").toStdString();
        form_->project().Files = {phone, junk_, camera};
        std::vector<bool> lockedWhenAsked;
        dialogs_.onAsk = [&](const MessageRequest&) {
            lockedWhenAsked.push_back(form_->isLocked());
        };
        form_->BuildAllBtnClick();
        dialogs_.onAsk = nullptr;
        QCOMPARE(dialogs_.asked.size(), std::size_t(2));
        QVERIFY(dialogs_.asked[0].icon == MessageIcon::Warning);
        QVERIFY(dialogs_.asked[1].icon == MessageIcon::Information);
        QCOMPARE(dialogs_.asked[1].text,
                 "1 picture got a distinct name, as theirs was taken:\n" + camera +
                     ": named IMG_0001-2.jpg, because " + phone + " already has img/IMG_0001.jpg");
        QCOMPARE(lockedWhenAsked, (std::vector<bool>{false, false}));
        QVERIFY(QFile::exists(dir_.filePath("gallery/img/IMG_0001-2.jpg")));
        QVERIFY(QFile::exists(dir_.filePath("gallery/IMG_0001-2_jpg.html")));
        QVERIFY(!form_->isLocked());
    }
};

QTEST_MAIN(PictureProblemsWindowTest)
#include "test_picture_problems.moc"
