#include "ui/QtPictureChooser.h"

#include "engine/RasterImage.h"
#include "ui/PictureImage.h"
#include "ui/QtDialogs.h"
#include "ui/QtText.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <exception>

namespace fotoplex {

namespace {

constexpr int kPaneSize = 180;

// The highlighted file read with the program's own readers, so that every format the list
// accepts also previews; a folder, an unknown extension or an unreadable file shows a note.
void showPicture(QLabel* pane, const QString& path) {
    pane->setPixmap({});
    pane->setText("No preview");
    const QFileInfo info(path);
    if (!info.isFile()) {
        return;
    }
    RasterImage picture;
    try {
        picture.ReadPictureFile(toText(path));
    } catch (const std::exception&) {
        return;
    }
    const QImage image = toQImage(picture.picture());
    if (image.isNull()) {
        return;
    }
    const bool fits = image.width() <= kPaneSize && image.height() <= kPaneSize;
    pane->setPixmap(QPixmap::fromImage(
        fits ? image
             : image.scaled(kPaneSize, kPaneSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

// The preview pane beside the file list of Qt's own dialog.
void addPreviewPane(QFileDialog& dialog) {
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (!grid) {
        return;
    }
    auto* pane = new QLabel(&dialog);
    pane->setObjectName("PicturePreviewPane");
    pane->setFixedSize(kPaneSize, kPaneSize);
    pane->setAlignment(Qt::AlignCenter);
    pane->setFrameShape(QFrame::StyledPanel);
    grid->addWidget(pane, 1, grid->columnCount(), 1, 1);
    QObject::connect(&dialog, &QFileDialog::currentChanged, pane,
                     [pane](const QString& path) { showPicture(pane, path); });
}

} // namespace

QtPictureChooser::~QtPictureChooser() {
    delete several_.dialog; // gone already when the owner went first
    delete single_.dialog;
}

// Made at its first use; later uses keep the filter the user picked and, when the requested
// folder does not exist, the folder the dialog was in.
QFileDialog& QtPictureChooser::prepare(KeptDialog& kept, const PictureRequest& request) {
    if (!kept.dialog) {
        kept.dialog = new QFileDialog(owner_);
        kept.dialog->setOption(QFileDialog::DontUseNativeDialog, true);
        kept.dialog->setAcceptMode(QFileDialog::AcceptOpen);
        addPreviewPane(*kept.dialog);
        // Wide enough for the names, sizes and the pane side by side.
        kept.dialog->resize(860, 480);
        kept.filterCaptions.clear();
    }
    QFileDialog& dialog = *kept.dialog;
    dialog.setWindowTitle(toQString(request.title));
    dialog.setFileMode(request.multiSelect ? QFileDialog::ExistingFiles
                                           : QFileDialog::ExistingFile);
    QStringList captions;
    for (const FileFilter& filter : request.filters) {
        captions << toQString(filter.caption);
    }
    if (captions != kept.filterCaptions) {
        setFileFilters(dialog, request.filters);
        kept.filterCaptions = captions;
    }
    const QString folder = toQString(request.folder);
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) {
        dialog.setDirectory(folder);
    }
    return dialog;
}

std::vector<std::string> QtPictureChooser::choose(const PictureRequest& request) {
    QFileDialog& dialog = prepare(request.multiSelect ? several_ : single_, request);
    std::vector<std::string> chosen;
    if (dialog.exec() != QDialog::Accepted) {
        return chosen;
    }
    for (const QString& path : dialog.selectedFiles()) {
        chosen.push_back(toText(path));
    }
    if (!request.multiSelect && chosen.size() > 1) {
        chosen.resize(1);
    }
    return chosen;
}

} // namespace fotoplex
