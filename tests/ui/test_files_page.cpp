// The Files page in the window: the list commands, the status texts, the source preview and
// the background image button, driven through the real widgets.
#include "filelist/PictureChooser.h"
#include "project/TProject.h"
#include "support/ScriptedDialogs.h"
#include "ui/MainForm.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
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
    QString info() { return child<QLabel>("InfoLabel")->text(); }
    bool previewShown() { return child<QLabel>("PreviewImage")->isVisibleTo(form_.get()); }
    void convertLow(bool on) { child<QCheckBox>("ConvertLow")->setChecked(on); }

    static qint64 sizeOf(const std::vector<std::string>& paths) {
        qint64 total = 0;
        for (const std::string& path : paths) {
            total += QFileInfo(QString::fromStdString(path)).size();
        }
        return total;
    }
    static QString totalText(qint64 total) {
        return QString("Total Size: %1 bytes (%2 Kbytes)").arg(total).arg(total / 1024);
    }

    // Row i shows the file name of entry i, for every row.
    bool listsParallel() {
        const auto& files = form_->project().Files;
        if (list()->count() != static_cast<int>(files.size())) {
            return false;
        }
        for (int i = 0; i < list()->count(); ++i) {
            const QString name =
                QFileInfo(QString::fromStdString(files[std::size_t(i)])).fileName();
            if (list()->item(i)->text() != name) {
                return false;
            }
        }
        return true;
    }
    QStringList rows() {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i) {
            texts << list()->item(i)->text();
        }
        return texts;
    }
    // Clicks row i of the list box with the mouse, the window shown.
    void clickRow(int i) {
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        const QRect row = list()->visualItemRect(list()->item(i));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, row.center());
    }

    // A picture of its own, so that a test may delete it.
    std::string makePicture(const QString& name, int width, int height, QColor colour) {
        QImage image(width, height, QImage::Format_ARGB32);
        image.fill(colour);
        const QString path = dir_.filePath(name);
        if (!image.save(path)) {
            return {};
        }
        return path.toStdString();
    }

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

    void selectStoresLowerCasedFullPathsThatStillOpen() {
        pictures_.answers.push_back(photos_);
        press("SelectFilesBtn");
        QCOMPARE(rows(), QStringList({"img_0001.png", "img_0002.png", "beach.png"}));
        for (std::size_t i = 0; i < photos_.size(); ++i) {
            const QString real = QString::fromStdString(photos_[i]);
            const QString folder = QFileInfo(real).path();
            QCOMPARE(QString::fromStdString(form_->project().Files[i]),
                     folder.toLower() + "/" + QFileInfo(real).fileName().toLower());
        }
        QCOMPARE(form_->project().SourceDir,
                 Text(QFileInfo(QString::fromStdString(photos_[0])).path().toStdString()));
        QCOMPARE(panel(1), totalText(sizeOf(photos_)));
        // The lower-cased path still finds the upper-cased file on this file system.
        list()->setCurrentRow(2);
        QVERIFY(info().startsWith("Width: 16; Height: 48;"));
        QCOMPARE(dialogs_.asked.size(), std::size_t(0));
    }

    void selectWithoutConvertLowKeepsTheNames() {
        convertLow(false);
        pictures_.answers.push_back(photos_);
        press("SelectFilesBtn");
        QCOMPARE(rows(), QStringList({"IMG_0001.PNG", "IMG_0002.PNG", "Beach.PNG"}));
        QCOMPARE(form_->project().Files, photos_);
    }

    void addAfterSelectAppendsEvenAFileListedAlready() {
        pictures_.answers.push_back({photos_[0], photos_[1]});
        pictures_.answers.push_back({photos_[0]});
        press("SelectFilesBtn");
        form_->programState().imagesBuilt = true;
        form_->programState().thumbsBuilt = true;
        press("AddFilesBtn");
        QCOMPARE(pictures_.requests.size(), std::size_t(2));
        QVERIFY(pictures_.requests[1].multiSelect);
        QCOMPARE(rows(), QStringList({"img_0001.png", "img_0002.png", "img_0001.png"}));
        QCOMPARE(list()->currentRow(), 2);
        QVERIFY(listsParallel());
        QCOMPARE(panel(0), QString("Files Count: 3"));
        QCOMPARE(panel(1), totalText(sizeOf({photos_[0], photos_[1], photos_[0]})));
        QVERIFY(!form_->programState().imagesBuilt);
        QVERIFY(!form_->programState().thumbsBuilt);
        QVERIFY(info().startsWith("Width: 64; Height: 48;"));
    }

    void removingRowZeroSelectsTheNewRowZero() {
        pictures_.answers.push_back(photos_);
        press("SelectFilesBtn");
        list()->setCurrentRow(0);
        press("RemoveBtn");
        QCOMPARE(rows(), QStringList({"img_0002.png", "beach.png"}));
        QCOMPARE(list()->currentRow(), 0);
        QVERIFY(listsParallel());
        QCOMPARE(panel(1), totalText(sizeOf({photos_[1], photos_[2]})));
    }

    void removingTheOnlyRowLeavesNoSelectionAndHidesThePreview() {
        pictures_.answers.push_back({photos_[2]});
        press("SelectFilesBtn");
        QVERIFY(previewShown());
        form_->programState().imagesBuilt = true;
        press("RemoveBtn");
        QCOMPARE(list()->count(), 0);
        QVERIFY(form_->project().Files.empty());
        QCOMPARE(list()->currentRow(), -1);
        QCOMPARE(panel(0), QString("Files Count: 0"));
        QCOMPARE(panel(1), totalText(0));
        QVERIFY(!previewShown());
        QCOMPARE(info(), QString());
        QVERIFY(!form_->programState().imagesBuilt);
        // Nothing left to remove: nothing happens.
        form_->programState().imagesBuilt = true;
        press("RemoveBtn");
        QVERIFY(form_->programState().imagesBuilt);
    }

    void moveAtTheEndsDoesNothing() {
        pictures_.answers.push_back(photos_);
        press("SelectFilesBtn");
        const QStringList before = rows();
        form_->programState().imagesBuilt = true;
        list()->setCurrentRow(0);
        press("MoveUpBtn");
        list()->setCurrentRow(2);
        press("MoveDownBtn");
        QCOMPARE(rows(), before);
        QCOMPARE(list()->currentRow(), 2);
        QVERIFY(form_->programState().imagesBuilt);
        list()->setCurrentRow(0);
        press("MoveDownBtn");
        QCOMPARE(rows(), QStringList({"img_0002.png", "img_0001.png", "beach.png"}));
        QCOMPARE(list()->currentRow(), 1);
        QVERIFY(listsParallel());
        QVERIFY(!form_->programState().imagesBuilt);
    }

    void clearThenAddCountsOnlyTheNewFiles() {
        pictures_.answers.push_back(photos_);
        pictures_.answers.push_back({photos_[2]});
        press("SelectFilesBtn");
        press("ClearListBtn");
        press("AddFilesBtn");
        QCOMPARE(rows(), QStringList({"beach.png"}));
        QCOMPARE(list()->currentRow(), 0);
        QCOMPARE(panel(0), QString("Files Count: 1"));
        QCOMPARE(panel(1), totalText(sizeOf({photos_[2]})));
    }

    void clearListKeepsTheLastPreview() {
        pictures_.answers.push_back(photos_);
        press("SelectFilesBtn");
        const QString line = info();
        press("ClearListBtn");
        QCOMPARE(info(), line);
        QVERIFY(previewShown());
        // Toggling "Preview" with nothing selected hides it.
        child<QCheckBox>("PreviewImgChk")->setChecked(false);
        child<QCheckBox>("PreviewImgChk")->setChecked(true);
        QVERIFY(!previewShown());
        QCOMPARE(info(), QString());
    }

    void sortedOnAndOffKeepsTheListsParallel() {
        convertLow(false);
        auto* sorted = child<QCheckBox>("SortedChk");
        // On an empty list the check box changes alone.
        sorted->click();
        QVERIFY(sorted->isChecked());
        QVERIFY(!form_->project().SortedList);
        sorted->click();
        pictures_.answers.push_back({photos_[1], photos_[2], photos_[0]});
        press("SelectFilesBtn");
        list()->setCurrentRow(1);
        form_->programState().imagesBuilt = true;
        sorted->click();
        QCOMPARE(rows(), QStringList({"Beach.PNG", "IMG_0001.PNG", "IMG_0002.PNG"}));
        QVERIFY(listsParallel());
        QVERIFY(form_->project().SortedList);
        QVERIFY(!form_->programState().imagesBuilt);
        // The row number stays; the preview follows the file now in that row.
        QCOMPARE(list()->currentRow(), 1);
        QVERIFY(info().startsWith("Width: 64;"));
        // While sorted, additions go to their place, a second copy included.
        pictures_.answers.push_back({photos_[2], photos_[1]});
        press("AddFilesBtn");
        QCOMPARE(rows(), QStringList({"Beach.PNG", "Beach.PNG", "IMG_0001.PNG", "IMG_0002.PNG",
                                      "IMG_0002.PNG"}));
        QVERIFY(listsParallel());
        // Moving breaks the order; later additions still keep both lists in step.
        list()->setCurrentRow(2);
        press("MoveUpBtn");
        QCOMPARE(rows(), QStringList({"Beach.PNG", "IMG_0001.PNG", "Beach.PNG", "IMG_0002.PNG",
                                      "IMG_0002.PNG"}));
        pictures_.answers.push_back({photos_[0]});
        press("AddFilesBtn");
        QCOMPARE(list()->count(), 6);
        QVERIFY(listsParallel());
        // Off: the order stays and additions are appended.
        form_->programState().imagesBuilt = true;
        form_->project().Modified = false;
        sorted->click();
        QVERIFY(!form_->project().SortedList);
        QVERIFY(form_->project().Modified);
        QVERIFY(form_->programState().imagesBuilt);
        const QStringList before = rows();
        pictures_.answers.push_back({photos_[2]});
        press("AddFilesBtn");
        QCOMPARE(rows(), before + QStringList({"Beach.PNG"}));
        QCOMPARE(list()->currentRow(), 6);
        QVERIFY(listsParallel());
    }

    void vanishedFileReportsAndKeepsThePreview() {
        const std::string gone = makePicture("Gone.PNG", 30, 20, Qt::blue);
        QVERIFY(!gone.empty());
        pictures_.answers.push_back({photos_[0], gone});
        press("SelectFilesBtn");
        const QString line = info();
        QVERIFY(line.startsWith("Width: 64; Height: 48;"));
        const QImage shown = child<QLabel>("PreviewImage")->pixmap().toImage();
        const qint64 goneSize = sizeOf({gone});
        QVERIFY(QFile::remove(QString::fromStdString(gone)));
        list()->setCurrentRow(1);
        QCOMPARE(dialogs_.asked.size(), std::size_t(1));
        QVERIFY2(QString::fromStdString(dialogs_.lastText()).contains("Cannot open file"),
                 dialogs_.lastText().c_str());
        QVERIFY(dialogs_.lastText().find("gone.png") != std::string::npos);
        QCOMPARE(info(), line);
        QVERIFY(previewShown());
        QCOMPARE(child<QLabel>("PreviewImage")->pixmap().toImage(), shown);
        // It stays listed, and Remove takes 0 bytes for it: the total drifts.
        QCOMPARE(list()->count(), 2);
        press("RemoveBtn");
        QCOMPARE(panel(1), totalText(sizeOf({photos_[0]}) + goneSize));
        QCOMPARE(dialogs_.asked.size(), std::size_t(1));
    }

    // A photo stored lying with Orientation 6 is previewed upright, with its upright size.
    void aTurnedPhotoIsPreviewedUpright() {
        const QString portrait = dir_.filePath("portrait.jpg");
        QFile::remove(portrait);
        QVERIFY(QFile::copy(FOTOPLEX_TEST_DATA "/orientation/jpeg-6.jpg", portrait));
        pictures_.answers.push_back({portrait.toStdString()});
        press("SelectFilesBtn");
        QVERIFY(info().startsWith("Width: 30; Height: 45;"));
        const QImage box = child<QLabel>("PreviewImage")->pixmap().toImage();
        QCOMPARE(box.size(), QSize(169, 153));
        // 102 x 153 (zoom 3.4), from column 33 to column 134: taller than wide.
        QVERIFY(box.pixelColor(84, 0).alpha() == 255);
        QVERIFY(box.pixelColor(84, 152).alpha() == 255);
        QCOMPARE(box.pixelColor(20, 76).alpha(), 0);
        QCOMPARE(box.pixelColor(148, 76).alpha(), 0);
    }

    void largePictureIsReducedAndSmallOneEnlargedBothCentred() {
        const std::string large = makePicture("large.png", 3000, 2000, Qt::red);
        const std::string icon = makePicture("icon.png", 16, 16, Qt::red);
        pictures_.answers.push_back({large, icon});
        press("SelectFilesBtn");
        QCOMPARE(info().left(34), QString("Width: 3000; Height: 2000; Filesiz"));
        QImage box = child<QLabel>("PreviewImage")->pixmap().toImage();
        QCOMPARE(box.size(), QSize(169, 153));
        // 169 x 113, from row 20 to row 132.
        QCOMPARE(box.pixelColor(0, 20), QColor(Qt::red));
        QCOMPARE(box.pixelColor(168, 132), QColor(Qt::red));
        QCOMPARE(box.pixelColor(84, 18).alpha(), 0);
        QCOMPARE(box.pixelColor(84, 134).alpha(), 0);
        list()->setCurrentRow(1);
        box = child<QLabel>("PreviewImage")->pixmap().toImage();
        // 153 x 153 from column 8 to column 160.
        QCOMPARE(box.pixelColor(8, 0), QColor(Qt::red));
        QCOMPARE(box.pixelColor(160, 152), QColor(Qt::red));
        QCOMPARE(box.pixelColor(6, 76).alpha(), 0);
        QCOMPARE(box.pixelColor(162, 76).alpha(), 0);
    }

    void transparentPartsShowAsACheckerboard() {
        const std::string clear = makePicture("clear.png", 169, 153, Qt::transparent);
        pictures_.answers.push_back({clear});
        press("SelectFilesBtn");
        const QImage box = child<QLabel>("PreviewImage")->pixmap().toImage();
        QCOMPARE(box.pixelColor(2, 2).alpha(), 255);
        QVERIFY(box.pixelColor(2, 2) != box.pixelColor(10, 2));
    }

    void selectionDialogOffersTheTenFiltersInSourceDir() {
        form_->project().SourceDir = "/some/where";
        pictures_.answers.push_back({});
        press("SelectFilesBtn");
        QCOMPARE(pictures_.requests.size(), std::size_t(1));
        const PictureRequest& request = pictures_.requests[0];
        QCOMPARE(request.folder, std::string("/some/where"));
        QCOMPARE(request.filters.size(), std::size_t(10));
        QCOMPARE(request.filters[0].caption,
                 std::string("Web Images (*.jpg; *.jpeg; *.gif; *.png)"));
        QCOMPARE(request.filters[7].patterns, std::string("*.heic;*.heif;*.avif;*.webp"));
        QVERIFY(request.filters[8].patterns.rfind(
                    "*.jpg;*.jpeg;*.jpe;*.gif;*.pcx;*.bmp;*.dib;*.rle;*.png;*.tif;*.tiff;*.fax;",
                    0) == 0);
        QCOMPARE(request.filters[9].caption, std::string("All Files (*.*)"));
        child<QToolButton>("BackSpeedButton")->click();
        QCOMPARE(pictures_.requests[1].title, std::string("Select Images..."));
        QCOMPARE(pictures_.requests[1].filters.size(), std::size_t(5));
        QCOMPARE(pictures_.requests[1].filters[4].caption, std::string("All Files (*.*)"));
    }

    void infoLineUsesTheLocalesDecimalSeparator() {
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        pictures_.answers.push_back({photos_[0]});
        press("SelectFilesBtn");
        QLocale::setDefault(saved);
        const qint64 tenths = (sizeOf({photos_[0]}) * 10 + 512) / 1024;
        QCOMPARE(
            info(),
            QString("Width: 64; Height: 48; Filesize: %1,%2 KB").arg(tenths / 10).arg(tenths % 10));
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

    // A click on the row already selected reads the file again: it may have changed on disk.
    void clickOnTheSelectedRowRereadsThePreview() {
        convertLow(false);
        const std::string path = makePicture("changing.png", 40, 30, Qt::red);
        pictures_.answers.push_back({path});
        press("SelectFilesBtn");
        QVERIFY(info().startsWith("Width: 40; Height: 30;"));
        makePicture("changing.png", 90, 70, Qt::blue);
        clickRow(0);
        QCOMPARE(list()->currentRow(), 0);
        QVERIFY(info().startsWith("Width: 90; Height: 70;"));
    }

    // A click on another row reads that file once: a file gone from disk gives one error box.
    void clickOnAnotherRowReadsItOnce() {
        convertLow(false);
        const std::string kept = makePicture("kept.png", 40, 30, Qt::red);
        const std::string lost = makePicture("lost.png", 40, 30, Qt::red);
        pictures_.answers.push_back({kept, lost});
        press("SelectFilesBtn");
        QVERIFY(QFile::remove(QString::fromStdString(lost)));
        clickRow(1);
        QCOMPARE(list()->currentRow(), 1);
        QCOMPARE(dialogs_.asked.size(), std::size_t(1));
        QVERIFY(dialogs_.lastText().rfind("Cannot open file", 0) == 0);
    }

    void infoLineIsCentredInItsWidth() {
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        auto* line = child<QLabel>("InfoLabel");
        QCOMPARE(line->width(), 273);
        QVERIFY(line->alignment() & Qt::AlignHCenter);
        // All of it inside its group, and the group inside the page.
        QVERIFY(line->parentWidget()->contentsRect().contains(line->geometry()));
        QWidget* group = line->parentWidget();
        QVERIFY(group->parentWidget()->rect().contains(group->geometry()));
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
