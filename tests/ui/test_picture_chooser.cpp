// The real picture dialog: its title, filters and mode, and the preview pane, which reads the
// highlighted file with the program's own readers (PaintBrush included).
#include "engine/RasterImage.h"
#include "filelist/PictureDialogs.h"
#include "ui/QtPictureChooser.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace fotoplex;

namespace {

const QString kReaders = FOTOPLEX_TEST_DATA "/readers";

// Runs `inspect` on the dialog once it is open, then closes it.
std::vector<std::string> chooseAndInspect(const PictureRequest& request,
                                          const std::function<void(QFileDialog&)>& inspect) {
    QWidget owner;
    QtPictureChooser chooser(&owner);
    bool inspected = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog) {
            inspect(*dialog);
            inspected = true;
            dialog->reject();
        }
    });
    const std::vector<std::string> chosen = chooser.choose(request);
    if (!inspected) {
        qWarning("the dialog never opened");
    }
    return chosen;
}

} // namespace

class PictureChooserTest : public QObject {
    Q_OBJECT

private slots:
    void selectionDialogHasTheTitleFiltersAndMode() {
        QString title;
        QStringList filters;
        QFileDialog::FileMode mode = QFileDialog::AnyFile;
        QString folder;
        const auto chosen =
            chooseAndInspect(selectImagesRequest(kReaders.toStdString()), [&](QFileDialog& d) {
                title = d.windowTitle();
                filters = d.nameFilters();
                mode = d.fileMode();
                folder = d.directory().absolutePath();
            });
        QVERIFY(chosen.empty());
        QCOMPARE(title, QString("Select Images..."));
        QCOMPARE(filters.size(), 10);
        QVERIFY(filters[7].startsWith("Phone and Web Photos (*.heic; *.heif; *.avif; *.webp)"));
        QVERIFY(filters[0].startsWith("Web Images (*.jpg; *.jpeg; *.gif; *.png)"));
        QVERIFY(filters[6].startsWith("PaintBrush (*.pcx)"));
        QCOMPARE(mode, QFileDialog::ExistingFiles);
        QCOMPARE(folder, QDir(kReaders).absolutePath());
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
