// The real picture dialog: its title, filters and mode, one dialog for the run, and the
// preview pane, which reads the highlighted file with the program's own readers (PaintBrush
// included).
#include "FileDialogProbe.h"
#include "support/ScriptedDialogs.h"
#include "engine/RasterImage.h"
#include "filelist/PictureDialogs.h"
#include "ui/MainForm.h"
#include "ui/QtPictureChooser.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

using namespace fotoplex;
using namespace fotoplex::testing;

namespace {

const QString kReaders = FOTOPLEX_TEST_DATA "/readers";

std::vector<std::string> chooseAndInspect(const PictureRequest& request,
                                          const std::function<void(QFileDialog&)>& inspect) {
    QWidget owner;
    QtPictureChooser chooser(&owner);
    inspectNextDialog(inspect);
    return chooser.choose(request);
}

// "*.a;*.b" as the file list's patterns; "*.*" is every file.
QStringList patternList(const std::string& patterns) {
    QStringList list = QString::fromStdString(patterns).split(';');
    for (QString& pattern : list) {
        if (pattern == "*.*") {
            pattern = "*";
        }
    }
    return list;
}

} // namespace

class PictureChooserTest : public QObject {
    Q_OBJECT

    ScriptedDialogs dialogs_;

private slots:
    void selectionDialogHasTheTitleFiltersAndMode() {
        QString title;
        ShownFilters shown;
        QFileDialog::FileMode mode = QFileDialog::AnyFile;
        QString folder;
        const auto chosen =
            chooseAndInspect(selectImagesRequest(kReaders.toStdString()), [&](QFileDialog& d) {
                title = d.windowTitle();
                shown = readFilters(d);
                mode = d.fileMode();
                folder = d.directory().absolutePath();
            });
        QVERIFY(chosen.empty());
        QCOMPARE(title, QString("Select Images..."));
        // Every entry shows its caption exactly and lists by its own patterns.
        const std::vector<FileFilter>& filters = sourcePictureFilters();
        QCOMPARE(shown.captions.size(), qsizetype(filters.size()));
        for (std::size_t i = 0; i < filters.size(); ++i) {
            QCOMPARE(shown.captions[qsizetype(i)], QString::fromStdString(filters[i].caption));
            QCOMPARE(shown.patterns[qsizetype(i)], patternList(filters[i].patterns));
        }
        QCOMPARE(shown.captions.first(), QString("Web Images (*.jpg; *.jpeg; *.gif; *.png)"));
        QCOMPARE(shown.patterns.first(),
                 QStringList({"*.jpg", "*.jpeg", "*.jpe", "*.gif", "*.png"}));
        QCOMPARE(shown.captions.size(), 10);
        QCOMPARE(shown.captions[7],
                 QString("Phone and Web Photos (*.heic; *.heif; *.avif; *.webp)"));
        QCOMPARE(shown.patterns[7], QStringList({"*.heic", "*.heif", "*.avif", "*.webp"}));
        QCOMPARE(shown.captions[8], QString("All Supported Image Formats"));
        QCOMPARE(shown.captions[6], QString("PaintBrush (*.pcx)"));
        QCOMPARE(shown.captions.last(), QString("All Files (*.*)"));
        QCOMPARE(shown.patterns.last(), QStringList({"*"}));
        QCOMPARE(mode, QFileDialog::ExistingFiles);
        QCOMPARE(folder, QDir(kReaders).absolutePath());
    }

    // One dialog for the run: the filter the user picked and, when the requested folder is
    // gone, the folder the dialog was in are there the next time.
    void selectionDialogKeepsTheUsersFilterAndFolder() {
        QWidget owner;
        QtPictureChooser chooser(&owner);
        QPointer<QFileDialog> first;
        bool picked = false;
        inspectNextDialog([&](QFileDialog& d) {
            first = &d;
            picked = pickFilter(d, "GIF Images (*.gif)");
        });
        chooser.choose(selectImagesRequest(kReaders.toStdString()));
        QFileDialog* second = nullptr;
        QString filter;
        QStringList patterns;
        QString folder;
        inspectNextDialog([&](QFileDialog& d) {
            second = &d;
            filter = filterList(d)->currentText();
            patterns = listedPatterns(d);
            folder = d.directory().absolutePath();
        });
        chooser.choose(selectImagesRequest("/no/such/folder"));
        QVERIFY(picked);
        QVERIFY(first); // still there after the first use
        QCOMPARE(second, first.data());
        QCOMPARE(filter, QString("GIF Images (*.gif)"));
        QCOMPARE(patterns, QStringList({"*.gif"}));
        QCOMPARE(folder, QDir(kReaders).absolutePath());
        // A folder that exists is where the dialog opens (the source folder of the list).
        const QString data = FOTOPLEX_TEST_DATA;
        inspectNextDialog([&](QFileDialog& d) { folder = d.directory().absolutePath(); });
        chooser.choose(selectImagesRequest(data.toStdString()));
        QCOMPARE(folder, QDir(data).absolutePath());
    }

    // Select and Add of the window ask the same dialog; the background image has its own.
    void windowKeepsOneSelectionDialog() {
        QTemporaryDir dir;
        MainFormOptions options;
        options.dialogs = &dialogs_;
        options.lastProjectPath = dir.filePath("last.hgp").toStdString();
        TMainForm form(options);
        QList<QPointer<QFileDialog>> seen;
        QList<QFileDialog::FileMode> modes;
        const auto record = [&](QFileDialog& d) {
            seen << &d;
            modes << d.fileMode();
        };
        inspectNextDialog(record);
        form.findChild<QPushButton*>("SelectFilesBtn")->click();
        inspectNextDialog(record);
        form.findChild<QPushButton*>("AddFilesBtn")->click();
        inspectNextDialog(record);
        form.findChild<QToolButton*>("BackSpeedButton")->click();
        inspectNextDialog(record);
        form.findChild<QAction*>("SelectImages1")->trigger();
        QCOMPARE(seen.size(), 4);
        QVERIFY(seen[0] && seen[2]); // kept after their use
        QCOMPARE(seen[1].data(), seen[0].data());
        QCOMPARE(seen[3].data(), seen[0].data());
        QVERIFY(seen[2].data() != seen[0].data());
        QCOMPARE(modes, QList<QFileDialog::FileMode>(
                            {QFileDialog::ExistingFiles, QFileDialog::ExistingFiles,
                             QFileDialog::ExistingFile, QFileDialog::ExistingFiles}));
    }

    void backgroundDialogTakesOneFile() {
        QFileDialog::FileMode mode = QFileDialog::AnyFile;
        int filterCount = 0;
        chooseAndInspect(backgroundImageRequest(kReaders.toStdString()), [&](QFileDialog& d) {
            mode = d.fileMode();
            filterCount = static_cast<int>(d.nameFilters().size());
        });
        QCOMPARE(mode, QFileDialog::ExistingFile);
        QCOMPARE(filterCount, 5);
    }

    void paneShowsTheHighlightedPictureReadByTheEngine() {
        const QString pcx = kReaders + "/pcx-24.pcx";
        RasterImage expected;
        expected.ReadPictureFile(pcx.toStdString());
        QSize shown;
        QString noteForFolder;
        chooseAndInspect(selectImagesRequest(kReaders.toStdString()), [&](QFileDialog& d) {
            auto* pane = d.findChild<QLabel*>("PicturePreviewPane");
            if (!pane) {
                return;
            }
            emit d.currentChanged(pcx);
            shown = pane->pixmap().size();
            emit d.currentChanged(kReaders);
            noteForFolder = pane->text();
        });
        QVERIFY(expected.width() > 0);
        const QSize full(expected.width(), expected.height());
        const bool fits = full.width() <= 180 && full.height() <= 180;
        QCOMPARE(shown, fits ? full : full.scaled(180, 180, Qt::KeepAspectRatio));
        QCOMPARE(noteForFolder, QString("No preview"));
    }
};

QTEST_MAIN(PictureChooserTest)
#include "test_picture_chooser.moc"
