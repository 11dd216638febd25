#include "base/Error.h"
#include "engine/RasterImage.h"
#include "filelist/FileList.h"
#include "production/CheckTargetDir.h"
#include "project/TProject.h"
#include "ui/ClickableWidgets.h"
#include "ui/Controls.h"
#include "ui/MainForm.h"
#include "ui/PictureImage.h"
#include "ui/QtText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <span>

namespace fotoplex {

namespace {

// Stores a value into its field; false (and nothing stored) when the field holds it already.
template <typename Field, typename Value> bool store(Field& field, const Value& value) {
    const Field stored(value);
    if (field == stored) {
        return false;
    }
    field = stored;
    return true;
}

Text editText(const QLineEdit* edit) {
    return Text(toText(edit->text()));
}

int checkedIndex(const QButtonGroup* group) {
    return group->checkedId() < 0 ? 0 : group->checkedId();
}

// A list shows a stored index that has no item as no selection.
void showIndex(QComboBox* list, int index) {
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

void showIndex(QButtonGroup* group, int index) {
    if (QAbstractButton* button = group->button(index)) {
        button->setChecked(true);
        return;
    }
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons()) {
        button->setChecked(false);
    }
    group->setExclusive(true);
}

// The window's target-folder edit as the folder check sees it.
class TargetDirEditField : public TargetDirField {
public:
    explicit TargetDirEditField(QLineEdit* edit) : edit_(edit) {}
    std::string text() const override { return toText(edit_->text()); }
    void setText(const std::string& text) override { edit_->setText(toQString(text)); }

private:
    QLineEdit* edit_;
};

} // namespace

// ---- Files page settings ----

void TMainForm::TargetDirEditChange() {
    if (store(project_->TargetDir, editText(targetDirEdit_))) {
        MarkModified();
    }
}

void TMainForm::ChooseTargetDirBtnClick() {
    const auto folder =
        dialogs_->chooseFolder("Select destination folder: ", toText(targetDirEdit_->text()));
    if (!folder || folder->empty()) {
        return;
    }
    targetDirEdit_->setText(toQString(*folder)); // stores TargetDir when the text changes
    store(project_->TargetDir, Text(*folder));
    MarkModified(); // a chosen folder marks the project, even the one it had
}

void TMainForm::ConvertLowClick() {
    if (store(project_->ConvertLow, convertLow_->isChecked())) {
        MarkModified();
    }
}

// ---- Images page ----

void TMainForm::ImageFolderChange() {
    if (store(project_->ImageFolder, editText(imageFolder_))) {
        MarkImagesStale();
    }
}

void TMainForm::ResizeImgChkClick() {
    if (store(project_->ResizeImages, resizeImgChk_->isChecked())) {
        // Copies and resized images differ; the thumbnails are made from the sources.
        state_.imagesBuilt = false;
        MarkModified();
    }
    updateResizeEnabling();
}

void TMainForm::ImgWidthSpinEditChange() {
    if (store(project_->ImgWidth, spinEditValue(imgWidthSpinEdit_))) {
        MarkImagesStale();
    }
}

void TMainForm::ImgHeightSpinEditChange() {
    if (store(project_->ImgHeight, spinEditValue(imgHeightSpinEdit_))) {
        MarkImagesStale();
    }
}

void TMainForm::KeepImgAspectChkClick() {
    if (store(project_->KeepImgAspect, keepImgAspectChk_->isChecked())) {
        MarkImagesStale();
    }
}

void TMainForm::JPEGQualitySpinEditChange() {
    if (store(project_->JPEGQuality, spinEditValue(jpegQualitySpinEdit_))) {
        MarkImagesStale();
    }
}

void TMainForm::ImgResizeMethodChange() {
    if (store(project_->ImgResizeMethod, listIndex(imgResizeMethod_))) {
        MarkImagesStale();
    }
}

void TMainForm::ProgressiveImgClick() {
    if (store(project_->ProgressiveImg, progressiveImg_->isChecked())) {
        MarkImagesStale();
    }
}

void TMainForm::updateResizeEnabling() {
    const bool resize = resizeImgChk_->isChecked();
    imgWidthSpinEdit_->setEnabled(resize);
    imgHeightSpinEdit_->setEnabled(resize);
    keepImgAspectChk_->setEnabled(resize);
}

// ---- Thumbnails page ----

void TMainForm::ThumbFolderChange() {
    if (store(project_->ThumbFolder, editText(thumbFolder_))) {
        MarkThumbsStale();
    }
}

void TMainForm::ThumbPrefixChange() {
    if (store(project_->ThumbPrefix, editText(thumbPrefix_))) {
        MarkThumbsStale();
    }
}

void TMainForm::ThumbSuffixChange() {
    if (store(project_->ThumbSuffix, editText(thumbSuffix_))) {
        MarkThumbsStale();
    }
}

void TMainForm::ThumbQualitySpinEditChange() {
    if (store(project_->ThumbQuality, spinEditValue(thumbQualitySpinEdit_))) {
        MarkThumbsStale();
    }
}

void TMainForm::ThumbResizeMethodChange() {
    if (store(project_->ThumbResizeMethod, listIndex(thumbResizeMethod_))) {
        MarkThumbsStale();
    }
}

void TMainForm::ProgressiveThumbClick() {
    if (store(project_->ProgressiveThumb, progressiveThumb_->isChecked())) {
        MarkThumbsStale();
    }
}

// One handler for the thumbnail box: all three values go in together.
void TMainForm::ThumbWidthSpinEditChange() {
    const bool width = store(project_->ThumbWidth, spinEditValue(thumbWidthSpinEdit_));
    const bool height = store(project_->ThumbHeight, spinEditValue(thumbHeightSpinEdit_));
    const bool aspect = store(project_->KeepThumbAspect, keepThumbAspectChk_->isChecked());
    if (width || height || aspect) {
        MarkThumbsStale();
    }
    redrawThumbPreview();
}

void TMainForm::tnPreviewClick() {
    thumbPreviewImage_->setVisible(tnPreview_->isChecked());
}

// The sample photograph, read once at start-up and resized to the start-up settings; the
// box stays hidden until "Preview" is ticked.
void TMainForm::loadThumbSample() {
    QFile sample(":/VARNO");
    if (!sample.open(QIODevice::ReadOnly)) {
        throw cannotOpenFile("VARNO");
    }
    const QByteArray bytes = sample.readAll();
    thumbPreview_ = std::make_unique<RasterImage>();
    thumbPreview_->AutoUndo = true;
    thumbPreview_->ReadPictureStream(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                  static_cast<std::size_t>(bytes.size())),
        FileFormat::Jpeg);
    resampleThumbSample(true);
    showThumbPreviewPicture();
}

// Keeping the aspect ratio, the sample's own shape decides which side governs.
void TMainForm::resampleThumbSample(bool keepAspect) {
    const int width = spinEditValue(thumbWidthSpinEdit_);
    const int height = spinEditValue(thumbHeightSpinEdit_);
    const auto filter = static_cast<TResampleFilter>(listIndex(thumbResizeMethod_));
    if (!keepAspect) {
        thumbPreview_->Resample(width, height, filter);
    } else if (thumbPreview_->width() < thumbPreview_->height()) {
        thumbPreview_->Resample(-1, height, filter);
    } else {
        thumbPreview_->Resample(width, -1, filter);
    }
}

// Every redraw starts again from the unscaled sample.
void TMainForm::redrawThumbPreview() {
    if (!thumbPreview_ || !tnPreview_->isChecked()) {
        return;
    }
    thumbPreview_->Undo();
    resampleThumbSample(keepThumbAspectChk_->isChecked());
    showThumbPreviewPicture();
    thumbPreviewImage_->setVisible(true);
}

void TMainForm::showThumbPreviewPicture() {
    const QImage image = toQImage(thumbPreview_->picture());
    thumbPreviewImage_->setPixmap(QPixmap::fromImage(image));
    thumbPreviewImage_->resize(image.size());
    thumbPreviewImage_->move((300 - image.width()) / 2, (300 - image.height()) / 2);
}

// ---- Gallery page, General ----

void TMainForm::TableAutoWidthClick() {
    if (store(project_->TableAutoWidth, tableAutoWidth_->isChecked())) {
        MarkModified();
    }
    updateTableWidthEnabling();
}

void TMainForm::updateTableWidthEnabling() {
    const bool fixed = !tableAutoWidth_->isChecked();
    for (QWidget* control : std::initializer_list<QWidget*>{pixelsRadio_, percentsRadio_,
                                                            tableWidthPx_, tableWidthPer_}) {
        control->setEnabled(fixed);
    }
}

void TMainForm::TableWidthRadioClick() {
    const bool pixels = store(project_->TableWidthInPixels, pixelsRadio_->isChecked());
    const bool percents = store(project_->TableWidthInPercents, percentsRadio_->isChecked());
    if (pixels || percents) {
        MarkModified();
    }
}

void TMainForm::TableWidthPxChange() {
    if (store(project_->TableWidthPx, spinEditValue(tableWidthPx_))) {
        MarkModified();
    }
}

void TMainForm::TableWidthPerChange() {
    if (store(project_->TableWidthPer, spinEditValue(tableWidthPer_))) {
        MarkModified();
    }
}

// Columns and rows are stored together, and only as a pair that makes at least one cell.
void TMainForm::TableColsRowsChange() {
    const int cols = spinEditValue(tableCols_);
    const int rows = spinEditValue(tableRows_);
    if (static_cast<long long>(cols) * rows != 0) {
        const bool colsChanged = store(project_->TableCols, cols);
        const bool rowsChanged = store(project_->TableRows, rows);
        if (colsChanged || rowsChanged) {
            MarkModified();
        }
    }
    GalleryTabSheetShow();
}

void TMainForm::TableBorderChange() {
    if (store(project_->TableBorder, spinEditValue(tableBorder_))) {
        MarkModified();
    }
}

void TMainForm::CellSpacingChange() {
    if (store(project_->CellSpacing, spinEditValue(cellSpacing_))) {
        MarkModified();
    }
}

void TMainForm::CellPaddingChange() {
    if (store(project_->CellPadding, spinEditValue(cellPadding_))) {
        MarkModified();
    }
}

void TMainForm::NavFontSizeChange() {
    if (store(project_->NavFontSize, spinEditValue(navFontSize_))) {
        MarkModified();
    }
}

void TMainForm::JumpMenuClick() {
    if (store(project_->JumpMenu, jumpMenu_->isChecked())) {
        MarkModified();
    }
}

void TMainForm::MarginLeftChange() {
    if (store(project_->MarginLeft, spinEditValue(marginLeft_))) {
        MarkModified();
    }
}

void TMainForm::MarginRightChange() {
    if (store(project_->MarginRight, spinEditValue(marginRight_))) {
        MarkModified();
    }
}

void TMainForm::MarginTopChange() {
    if (store(project_->MarginTop, spinEditValue(marginTop_))) {
        MarkModified();
    }
}

void TMainForm::MarginBottomChange() {
    if (store(project_->MarginBottom, spinEditValue(marginBottom_))) {
        MarkModified();
    }
}

void TMainForm::AlignmentClick() {
    if (store(project_->Alignment, checkedIndex(alignmentButtons_))) {
        MarkModified();
    }
}

// The count of index pages for the columns and rows the fields show now.
void TMainForm::GalleryTabSheetShow() {
    const auto cells =
        static_cast<std::uint16_t>(spinEditValue(tableRows_) * spinEditValue(tableCols_));
    if (cells == 0) {
        pageCountPanel_->setText("Error: All values MUST be positive");
        return;
    }
    const auto files = static_cast<int>(project_->Files.size());
    if (files < 1) {
        return;
    }
    state_.pageCount = files / cells + (files % cells != 0 ? 1 : 0);
    pageCountPanel_->setText(QString("Items: %1   Pages: %2").arg(files).arg(state_.pageCount));
}

// ---- Gallery page, Titles ----

void TMainForm::DocTitleChange() {
    if (store(project_->DocTitle, editText(docTitle_))) {
        MarkModified();
    }
}

void TMainForm::TopTitleChange() {
    if (store(project_->TopTitle, editText(topTitle_))) {
        MarkModified();
    }
}

void TMainForm::BottomTitleChange() {
    if (store(project_->BottomTitle, editText(bottomTitle_))) {
        MarkModified();
    }
}

void TMainForm::TopTitleSizeChange() {
    if (store(project_->TopTitleSize, listIndex(topTitleSize_))) {
        MarkModified();
    }
}

void TMainForm::BottomTitleSizeChange() {
    if (store(project_->BottomTitleSize, listIndex(bottomTitleSize_))) {
        MarkModified();
    }
}

void TMainForm::NavigationWordChange() {
    bool changed = false;
    changed |= store(project_->PageText, editText(pageEdit_));
    changed |= store(project_->GalleryText, editText(galleryEdit_));
    changed |= store(project_->PreviousText, editText(previousEdit_));
    changed |= store(project_->NextText, editText(nextEdit_));
    changed |= store(project_->OfText, editText(ofEdit_));
    changed |= store(project_->JumpToText, editText(jumpToEdit_));
    if (changed) {
        MarkModified();
    }
}

// ---- Advanced and Build pages ----

void TMainForm::EncodingListChange() {
    if (store(project_->Encoding, listIndex(encodingList_))) {
        MarkModified();
    }
}

void TMainForm::FontFamilyListChange() {
    if (store(project_->FontFamily, listIndex(fontFamilyList_))) {
        MarkModified();
    }
}

void TMainForm::LinksTargetChange() {
    if (store(project_->LinksTarget, listIndex(linksTarget_))) {
        MarkModified();
    }
}

// The metadata lists' items are in the order of MetadataChoice.
void TMainForm::ImageMetadataListChange() {
    if (store(project_->ImageMetadata, static_cast<MetadataChoice>(listIndex(imageMetadataList_)))) {
        MarkImagesStale();
    }
}

void TMainForm::ThumbMetadataListChange() {
    if (store(project_->ThumbMetadata, static_cast<MetadataChoice>(listIndex(thumbMetadataList_)))) {
        MarkThumbsStale();
    }
}

// The style changes the pictures' boxes and names, so the pictures are remade where the
// build record does not know them.
void TMainForm::PageStyleListChange() {
    const char* style = listIndex(pageStyleList_) == 1 ? kModernStyleName : kClassicStyleName;
    if (store(project_->PageStyle, Text(style))) {
        MarkImagesStale();
    }
}

void TMainForm::PageLanguageChange() {
    if (store(project_->PageLanguage, editText(pageLanguage_))) {
        MarkModified();
    }
}

void TMainForm::SiteAddressChange() {
    if (store(project_->SiteAddress, editText(siteAddress_))) {
        MarkModified();
    }
}

void TMainForm::OverwriteImgRadioClick() {
    if (store(project_->OverwriteMode, checkedIndex(overwriteButtons_))) {
        MarkModified();
    }
}

void TMainForm::ShowWhenReadyClick() {
    if (store(project_->ShowWhenReady, showWhenReady_->isChecked())) {
        MarkModified();
    }
}

// ---- The target-folder check ----

bool TMainForm::CheckTargetDir() {
    TargetDirEditField field(targetDirEdit_);
    return fotoplex::CheckTargetDir(*project_, state_, field, *dialogs_);
}

// ---- Showing a project ----

void TMainForm::ShowProject() {
    const TProject& p = *project_;
    {
        // The controls follow the project; nothing flows back while they do.
        showingProject_ = true;
        struct Reset {
            bool& flag;
            ~Reset() { flag = false; }
        } reset{showingProject_};

        targetDirEdit_->setText(toQString(p.TargetDir));
        convertLow_->setChecked(p.ConvertLow);
        backgroundImage_->setText(toQString(p.BackgroundImagePath));
        sortedChk_->setChecked(p.SortedList);
        imageFolder_->setText(toQString(p.ImageFolder));
        resizeImgChk_->setChecked(p.ResizeImages);
        imgWidthSpinEdit_->setValue(p.ImgWidth);
        imgHeightSpinEdit_->setValue(p.ImgHeight);
        keepImgAspectChk_->setChecked(p.KeepImgAspect);
        jpegQualitySpinEdit_->setValue(p.JPEGQuality);
        showIndex(imgResizeMethod_, p.ImgResizeMethod);
        progressiveImg_->setChecked(p.ProgressiveImg);
        thumbFolder_->setText(toQString(p.ThumbFolder));
        thumbPrefix_->setText(toQString(p.ThumbPrefix));
        thumbSuffix_->setText(toQString(p.ThumbSuffix));
        thumbWidthSpinEdit_->setValue(p.ThumbWidth);
        thumbHeightSpinEdit_->setValue(p.ThumbHeight);
        thumbQualitySpinEdit_->setValue(p.ThumbQuality);
        showIndex(thumbResizeMethod_, p.ThumbResizeMethod);
        keepThumbAspectChk_->setChecked(p.KeepThumbAspect);
        progressiveThumb_->setChecked(p.ProgressiveThumb);
        tableAutoWidth_->setChecked(p.TableAutoWidth);
        showIndex(alignmentButtons_, p.Alignment);
        // The two width choices are separate flags in the project.
        pixelsRadio_->setAutoExclusive(false);
        percentsRadio_->setAutoExclusive(false);
        pixelsRadio_->setChecked(p.TableWidthInPixels);
        percentsRadio_->setChecked(p.TableWidthInPercents);
        pixelsRadio_->setAutoExclusive(true);
        percentsRadio_->setAutoExclusive(true);
        tableWidthPx_->setValue(p.TableWidthPx);
        tableWidthPer_->setValue(p.TableWidthPer);
        tableBorder_->setValue(p.TableBorder);
        tableCols_->setValue(p.TableCols);
        tableRows_->setValue(p.TableRows);
        cellSpacing_->setValue(p.CellSpacing);
        cellPadding_->setValue(p.CellPadding);
        navFontSize_->setValue(p.NavFontSize);
        jumpMenu_->setChecked(p.JumpMenu);
        marginLeft_->setValue(p.MarginLeft);
        marginRight_->setValue(p.MarginRight);
        marginTop_->setValue(p.MarginTop);
        marginBottom_->setValue(p.MarginBottom);
        docTitle_->setText(toQString(p.DocTitle));
        topTitle_->setText(toQString(p.TopTitle));
        bottomTitle_->setText(toQString(p.BottomTitle));
        showIndex(topTitleSize_, p.TopTitleSize);
        showIndex(bottomTitleSize_, p.BottomTitleSize);
        pageEdit_->setText(toQString(p.PageText));
        galleryEdit_->setText(toQString(p.GalleryText));
        previousEdit_->setText(toQString(p.PreviousText));
        nextEdit_->setText(toQString(p.NextText));
        ofEdit_->setText(toQString(p.OfText));
        jumpToEdit_->setText(toQString(p.JumpToText));
        showIndex(encodingList_, p.Encoding);
        showIndex(fontFamilyList_, p.FontFamily);
        showIndex(linksTarget_, p.LinksTarget);
        showIndex(imageMetadataList_, static_cast<int>(p.ImageMetadata));
        showIndex(thumbMetadataList_, static_cast<int>(p.ThumbMetadata));
        showIndex(pageStyleList_, PageStyleOf(p) == PageStyleKind::Modern ? 1 : 0);
        pageLanguage_->setText(toQString(p.PageLanguage));
        siteAddress_->setText(toQString(p.SiteAddress));
        showIndex(overwriteButtons_, p.OverwriteMode);
        showWhenReady_->setChecked(p.ShowWhenReady);
        fileList_->showFiles(*project_);
        // Last, since a damaged colour text stops the showing with an error.
        showColors();
    }
    updateResizeEnabling();
    updateTableWidthEnabling();
    redrawThumbPreview();
}

void TMainForm::ColorSampleClick(ColorSample sample) {
    colorSettings_->ColorSampleClick(sample);
}

void TMainForm::showColors() {
    colorSettings_->ShowColors();
    tableHeaderPanel_->update();
}

} // namespace fotoplex
