#include "ui/QtPictureChooser.h"

#include "ui/QtDialogs.h"
#include "ui/QtText.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>

namespace fotoplex {

namespace {

constexpr int kPaneSize = 180;

void showPicture(QLabel* pane, const QString& path) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > kPaneSize || size.height() > kPaneSize)) {
        reader.setScaledSize(size.scaled(kPaneSize, kPaneSize, Qt::KeepAspectRatio));
    }
    const QImage image = reader.read();
    if (image.isNull()) {
        pane->setPixmap({});
        pane->setText("No preview");
        return;
    }
    pane->setPixmap(QPixmap::fromImage(image));
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

std::vector<std::string> QtPictureChooser::choose(const PictureRequest& request) {
    QFileDialog dialog(owner_, toQString(request.title), toQString(request.folder),
                       fileDialogFilters(request.filters));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.multiSelect ? QFileDialog::ExistingFiles
                                           : QFileDialog::ExistingFile);
    addPreviewPane(dialog);
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
