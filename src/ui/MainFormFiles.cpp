#include "base/Error.h"
#include "engine/RasterImage.h"
#include "filelist/BackgroundImage.h"
#include "filelist/FileList.h"
#include "filelist/SourcePreview.h"
#include "project/TProject.h"
#include "ui/ListBoxView.h"
#include "ui/MainForm.h"
#include "ui/PictureImage.h"
#include "ui/QtPictureChooser.h"
#include "ui/QtText.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPainter>
#include <QStatusBar>

namespace fotoplex {

void TMainForm::buildFileList() {
    if (options_.pictures) {
        pictures_ = options_.pictures;
    } else {
        ownPictures_ = std::make_unique<QtPictureChooser>(this);
        pictures_ = ownPictures_.get();
    }
    listView_ = std::make_unique<ListBoxView>(filesListBox_);
    FileListHooks hooks;
    hooks.setStatus = [this](int panel, const std::string& text) { setStatusText(panel, text); };
    hooks.showFilesPage = [this] { showDesignPage(0); };
    hooks.refreshPreview = [this] { FilesListBoxClick(); };
    hooks.markModified = [this] { MarkModified(); };
    fileList_ = std::make_unique<FileList>(*listView_, *pictures_, *dialogs_, state_, hooks);
}

// ---- The file list commands of the Files page ----

void TMainForm::SelectFilesBtnClick() {
    fileList_->selectFiles(*project_);
}
void TMainForm::AddFilesBtnClick() {
    fileList_->addFiles(*project_);
}
void TMainForm::RemoveBtnClick() {
    fileList_->removeSelected(*project_);
}
void TMainForm::MoveUpBtnClick() {
    fileList_->moveUp(*project_);
}
void TMainForm::MoveDownBtnClick() {
    fileList_->moveDown(*project_);
}
void TMainForm::SortedChkClick() {
    fileList_->sortedChanged(*project_, sortedChk_->isChecked());
}
void TMainForm::ClearListBtnClick() {
    fileList_->clearList(*project_);
}

void TMainForm::BackSpeedButtonClick() {
    if (chooseBackgroundImage(*project_, *pictures_, [this] { MarkModified(); })) {
        backgroundImage_->setText(toQString(project_->BackgroundImagePath));
    }
}

// ---- The source preview ----

// FilesListBoxClick: the selected source, fitted into the preview box.
void TMainForm::FilesListBoxClick() {
    if (!sourcePreview_) {
        sourcePreview_ = std::make_unique<RasterImage>();
    }
    const auto read = [this](const std::string& path) {
        sourcePreview_->ReadPictureFile(path);
        return PictureSize{sourcePreview_->width(), sourcePreview_->height()};
    };
    const PreviewShown shown =
        showSourcePreview(project_->Files, filesListBox_->currentRow(), previewImgChk_->isChecked(),
                          read, toText(QLocale().decimalPoint()));
    infoLabel_->setText(toQString(shown.info));
    previewImage_->setVisible(shown.visible);
    if (shown.visible) {
        showPreviewPicture();
    }
}

namespace {

QBrush checkerboard() {
    constexpr int kSquare = 8;
    QPixmap tile(2 * kSquare, 2 * kSquare);
    tile.fill(QColor(0xcc, 0xcc, 0xcc));
    QPainter painter(&tile);
    painter.fillRect(0, 0, kSquare, kSquare, QColor(0xff, 0xff, 0xff));
    painter.fillRect(kSquare, kSquare, kSquare, kSquare, QColor(0xff, 0xff, 0xff));
    return QBrush(tile);
}

} // namespace

void TMainForm::showPreviewPicture() {
    QPixmap box(kPreviewBoxWidth, kPreviewBoxHeight);
    box.fill(Qt::transparent);
    const QImage image = toQImage(sourcePreview_->picture());
    if (!image.isNull()) {
        const PreviewPlacement place = fitPreview(image.width(), image.height());
        const QRect target(place.x, place.y, place.width, place.height);
        QPainter painter(&box);
        if (image.hasAlphaChannel()) {
            // Transparent parts show as a grey checkerboard.
            painter.fillRect(target, checkerboard());
        }
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, image);
    }
    previewImage_->setPixmap(box);
}

} // namespace fotoplex
