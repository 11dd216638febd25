// The Files page in the window: the list commands, the status texts, the source preview and
// the background image button, driven through the real widgets.
#include "ScriptedDialogs.h"
#include "filelist/PictureChooser.h"
#include "project/TProject.h"
#include "ui/MainForm.h"

#include <QAction>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <deque>
#include <memory>

using namespace fotoplex;
using fotoplex::testing::ScriptedDialogs;

namespace {

class ScriptedPictures : public PictureChooser {
public:
    std::deque<std::vector<std::string>> answers;
    std::vector<PictureRequest> requests;
    std::vector<std::string> choose(const PictureRequest& request) override {
        requests.push_back(request);
        if (answers.empty()) {
            return {};
        }
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

} // namespace

class FilesPageTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString savedFolder_;
    ScriptedDialogs dialogs_;
    ScriptedPictures pictures_;
    std::unique_ptr<TMainForm> form_;
    std::vector<std::string> photos_;

    template <typename T> T* child(const char* name) { return form_->findChild<T*>(name); }
    QListWidget* list() { return child<QListWidget>("FilesListBox"); }
    QString panel(int i) { return child<QLabel>(i == 0 ? "StatusPanel0" : "StatusPanel1")->text(); }
    void press(const char* button) { child<QPushButton>(button)->click(); }

private slots:
    void initTestCase() {
        savedFolder_ = QDir::currentPath();
        // Three small pictures with upper-case names, as a camera writes them.
        for (const char* name : {"IMG_0001.PNG", "IMG_0002.PNG", "Beach.PNG"}) {
            QImage image(name[0] == 'B' ? 16 : 64, 48, QImage::Format_RGB32);
            image.fill(Qt::darkGreen);
            const QString path = dir_.filePath(name);
            QVERIFY(image.save(path));
            photos_.push_back(path.toStdString());
        }
    }

    void cleanupTestCase() { QDir::setCurrent(savedFolder_); }

    void init() {
        dialogs_.reset();
        pictures_.answers.clear();
        pictures_.requests.clear();
        MainFormOptions options;
        options.dialogs = &dialogs_;
        options.pictures = &pictures_;
        options.lastProjectPath = dir_.filePath("last.hgp").toStdString();
        form_ = std::make_unique<TMainForm>(options);
    }

    void cleanup() { form_.reset(); }

    void selectListsLowerCasedNamesAndSelectsTheFirstRow() {
        form_->programState().imagesBuilt = true;
        child<QAction>("Images1")->trigger();
        pictures_.answers.push_back(photos_);
        press("SelectFilesBtn");
        QCOMPARE(pictures_.requests.size(), std::size_t(1));
        QCOMPARE(pictures_.requests[0].title, std::string("Select Images..."));
        QVERIFY(pictures_.requests[0].multiSelect);
        QCOMPARE(list()->count(), 3);
        QCOMPARE(list()->item(0)->text(), QString("img_0001.png"));
        QCOMPARE(list()->currentRow(), 0);
        QCOMPARE(form_->project().Files.size(), std::size_t(3));
        QCOMPARE(child<QStackedWidget>("PageControl")->currentIndex(), 0);
        QCOMPARE(panel(0), QString("Files Count: 3"));
        QVERIFY(panel(1).startsWith("Total Size: "));
        QVERIFY(!form_->programState().imagesBuilt);
        QVERIFY(form_->project().Modified);
        // The preview shows the first picture with its size.
        QVERIFY(child<QLabel>("PreviewImage")->isVisibleTo(form_.get()));
        QVERIFY(child<QLabel>("InfoLabel")->text().startsWith("Width: 64; Height: 48; Filesize: "));
    }

    void previewFollowsTheSelectionAndTheCheckBox() {
        pictures_.answers.push_back(photos_);
        press("SelectFilesBtn");
        list()->setCurrentRow(2);
        QVERIFY(child<QLabel>("InfoLabel")->text().startsWith("Width: 16; Height: 48;"));
        child<QCheckBox>("PreviewImgChk")->setChecked(false);
        QCOMPARE(child<QLabel>("InfoLabel")->text(), QString());
        QVERIFY(!child<QLabel>("PreviewImage")->isVisibleTo(form_.get()));
        child<QCheckBox>("PreviewImgChk")->setChecked(true);
        QVERIFY(child<QLabel>("InfoLabel")->text().startsWith("Width: 16;"));
    }

    void removeAndClearListKeepTheListAndTheStatusInStep() {
        pictures_.answers.push_back(photos_);
        press("SelectFilesBtn");
        list()->setCurrentRow(2);
        press("RemoveBtn");
        QCOMPARE(list()->count(), 2);
        QCOMPARE(form_->project().Files.size(), std::size_t(2));
        QCOMPARE(list()->currentRow(), 1);
        QCOMPARE(panel(0), QString("Files Count: 2"));
        form_->programState().thumbsBuilt = true;
        child<QAction>("ClearList1")->trigger();
        QCOMPARE(list()->count(), 0);
        QVERIFY(form_->project().Files.empty());
        QCOMPARE(panel(0), QString("Files Count: "));
        QCOMPARE(panel(1), QString("Total Size: "));
        QVERIFY(!form_->programState().thumbsBuilt);
    }

    void moveUpKeepsTheEntrySelectedInBothLists() {
        pictures_.answers.push_back(photos_);
        press("SelectFilesBtn");
        list()->setCurrentRow(2);
        press("MoveUpBtn");
        QCOMPARE(list()->currentRow(), 1);
        QCOMPARE(list()->item(1)->text(), QString("beach.png"));
        QVERIFY(QString::fromStdString(form_->project().Files[1]).endsWith("beach.png"));
    }

    void cancelledSelectChangesNothing() {
        pictures_.answers.push_back({});
        press("AddFilesBtn");
        QCOMPARE(list()->count(), 0);
        QVERIFY(!form_->project().Modified);
    }

    void openedProjectFillsTheListWithoutSelecting() {
        TProject other;
        other.Files = photos_;
        other.SaveAs(dir_.filePath("other.hgp").toStdString());
        dialogs_.openFiles.push_back(dir_.filePath("other.hgp").toStdString());
        form_->OpenProject1Click();
        QCOMPARE(list()->count(), 3);
        QCOMPARE(list()->item(2)->text(), QString("Beach.PNG"));
        QCOMPARE(list()->currentRow(), -1);
        QVERIFY(!form_->project().Modified);
    }

    void backgroundButtonStoresThePicture() {
        pictures_.answers.push_back({photos_[2]});
        child<QToolButton>("BackSpeedButton")->click();
        QCOMPARE(pictures_.requests.size(), std::size_t(1));
        QVERIFY(!pictures_.requests[0].multiSelect);
        QCOMPARE(child<QLineEdit>("BackgroundImage")->text(), QString::fromStdString(photos_[2]));
        QCOMPARE(form_->project().BackgroundImagePath, Text(photos_[2]));
        QVERIFY(form_->project().Modified);
    }
};

QTEST_MAIN(FilesPageTest)
#include "test_files_page.moc"
