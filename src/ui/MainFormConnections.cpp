#include "project/TProject.h"
#include "ui/ClickableWidgets.h"
#include "ui/MainForm.h"
#include "ui/webcolor/TWebColorDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <memory>

namespace fotoplex {

template <typename Sender, typename Signal>
void TMainForm::onChange(Sender* sender, Signal signal, void (TMainForm::*handler)()) {
    connect(sender, signal, this, [this, handler] {
        if (showingProject_) {
            return;
        }
        runCommand([this, handler] { (this->*handler)(); });
    });
}

namespace {} // namespace

// A spin edit reports every change of its value, and every keystroke in its edit box, also
// a number it cannot hold (a 0 typed where the minimum is 1).
// A keystroke that makes a new value reaches both signals; the handler runs once per text.
void TMainForm::onSpinEditChange(QSpinBox* spinEdit, void (TMainForm::*handler)()) {
    QLineEdit* edit = spinEdit->findChild<QLineEdit*>();
    auto lastText = std::make_shared<QString>(edit->text());
    const auto changed = [this, edit, lastText, handler] {
        if (showingProject_ || edit->text() == *lastText) {
            *lastText = edit->text();
            return;
        }
        *lastText = edit->text();
        runCommand([this, handler] { (this->*handler)(); });
    };
    connect(spinEdit, &QSpinBox::textChanged, this, changed);
    connect(edit, &QLineEdit::textChanged, this, changed);
}

void TMainForm::connectSettings() {
    onChange(targetDirEdit_, &QLineEdit::textChanged, &TMainForm::TargetDirEditChange);
    onChange(chooseTargetDirBtn_, &QToolButton::clicked, &TMainForm::ChooseTargetDirBtnClick);
    onChange(convertLow_, &QCheckBox::toggled, &TMainForm::ConvertLowClick);

    onChange(imageFolder_, &QLineEdit::textChanged, &TMainForm::ImageFolderChange);
    onChange(resizeImgChk_, &QCheckBox::toggled, &TMainForm::ResizeImgChkClick);
    onSpinEditChange(imgWidthSpinEdit_, &TMainForm::ImgWidthSpinEditChange);
    onSpinEditChange(imgHeightSpinEdit_, &TMainForm::ImgHeightSpinEditChange);
    onChange(keepImgAspectChk_, &QCheckBox::toggled, &TMainForm::KeepImgAspectChkClick);
    onSpinEditChange(jpegQualitySpinEdit_, &TMainForm::JPEGQualitySpinEditChange);
    onChange(imgResizeMethod_, &QComboBox::currentIndexChanged, &TMainForm::ImgResizeMethodChange);
    onChange(progressiveImg_, &QCheckBox::toggled, &TMainForm::ProgressiveImgClick);

    onChange(thumbFolder_, &QLineEdit::textChanged, &TMainForm::ThumbFolderChange);
    onChange(thumbPrefix_, &QLineEdit::textChanged, &TMainForm::ThumbPrefixChange);
    onChange(thumbSuffix_, &QLineEdit::textChanged, &TMainForm::ThumbSuffixChange);
    onSpinEditChange(thumbQualitySpinEdit_, &TMainForm::ThumbQualitySpinEditChange);
    onChange(thumbResizeMethod_, &QComboBox::currentIndexChanged,
             &TMainForm::ThumbResizeMethodChange);
    onChange(progressiveThumb_, &QCheckBox::toggled, &TMainForm::ProgressiveThumbClick);
    onSpinEditChange(thumbWidthSpinEdit_, &TMainForm::ThumbWidthSpinEditChange);
    onSpinEditChange(thumbHeightSpinEdit_, &TMainForm::ThumbWidthSpinEditChange);
    onChange(keepThumbAspectChk_, &QCheckBox::toggled, &TMainForm::ThumbWidthSpinEditChange);
    onChange(tnPreview_, &QCheckBox::toggled, &TMainForm::tnPreviewClick);

    onChange(tableAutoWidth_, &QCheckBox::toggled, &TMainForm::TableAutoWidthClick);
    onChange(pixelsRadio_, &QRadioButton::toggled, &TMainForm::TableWidthRadioClick);
    onChange(percentsRadio_, &QRadioButton::toggled, &TMainForm::TableWidthRadioClick);
    onSpinEditChange(tableWidthPx_, &TMainForm::TableWidthPxChange);
    onSpinEditChange(tableWidthPer_, &TMainForm::TableWidthPerChange);
    onSpinEditChange(tableCols_, &TMainForm::TableColsRowsChange);
    onSpinEditChange(tableRows_, &TMainForm::TableColsRowsChange);
    onSpinEditChange(tableBorder_, &TMainForm::TableBorderChange);
    onSpinEditChange(cellSpacing_, &TMainForm::CellSpacingChange);
    onSpinEditChange(cellPadding_, &TMainForm::CellPaddingChange);
    onSpinEditChange(navFontSize_, &TMainForm::NavFontSizeChange);
    onChange(jumpMenu_, &QCheckBox::toggled, &TMainForm::JumpMenuClick);
    onSpinEditChange(marginLeft_, &TMainForm::MarginLeftChange);
    onSpinEditChange(marginRight_, &TMainForm::MarginRightChange);
    onSpinEditChange(marginTop_, &TMainForm::MarginTopChange);
    onSpinEditChange(marginBottom_, &TMainForm::MarginBottomChange);
    onChange(alignmentButtons_, &QButtonGroup::idToggled, &TMainForm::AlignmentClick);

    onChange(docTitle_, &QLineEdit::textChanged, &TMainForm::DocTitleChange);
    onChange(topTitle_, &QLineEdit::textChanged, &TMainForm::TopTitleChange);
    onChange(bottomTitle_, &QLineEdit::textChanged, &TMainForm::BottomTitleChange);
    onChange(topTitleSize_, &QComboBox::currentIndexChanged, &TMainForm::TopTitleSizeChange);
    onChange(bottomTitleSize_, &QComboBox::currentIndexChanged, &TMainForm::BottomTitleSizeChange);
    for (QLineEdit* word :
         {pageEdit_, galleryEdit_, previousEdit_, nextEdit_, ofEdit_, jumpToEdit_}) {
        onChange(word, &QLineEdit::textChanged, &TMainForm::NavigationWordChange);
    }

    onChange(encodingList_, &QComboBox::currentIndexChanged, &TMainForm::EncodingListChange);
    onChange(fontFamilyList_, &QComboBox::currentIndexChanged, &TMainForm::FontFamilyListChange);
    onChange(linksTarget_, &QComboBox::currentIndexChanged, &TMainForm::LinksTargetChange);
    onChange(imageMetadataList_, &QComboBox::currentIndexChanged,
             &TMainForm::ImageMetadataListChange);
    onChange(thumbMetadataList_, &QComboBox::currentIndexChanged,
             &TMainForm::ThumbMetadataListChange);
    onChange(pageStyleList_, &QComboBox::currentIndexChanged, &TMainForm::PageStyleListChange);
    onChange(pageLanguage_, &QLineEdit::textChanged, &TMainForm::PageLanguageChange);
    onChange(siteAddress_, &QLineEdit::textChanged, &TMainForm::SiteAddressChange);

    onChange(overwriteButtons_, &QButtonGroup::idToggled, &TMainForm::OverwriteImgRadioClick);
    onChange(showWhenReady_, &QCheckBox::toggled, &TMainForm::ShowWhenReadyClick);
    onChange(buildImagesBtn_, &QPushButton::clicked, &TMainForm::BuildImagesBtnClick);
    onChange(buildThumbsBtn_, &QPushButton::clicked, &TMainForm::BuildThumbsBtnClick);
    onChange(buildAllBtn_, &QPushButton::clicked, &TMainForm::BuildAllBtnClick);
}

void TMainForm::connectFilesPage() {
    auto button = [this](const char* name) { return findChild<QPushButton*>(name); };
    onChange(button("SelectFilesBtn"), &QPushButton::clicked, &TMainForm::SelectFilesBtnClick);
    onChange(button("AddFilesBtn"), &QPushButton::clicked, &TMainForm::AddFilesBtnClick);
    onChange(button("RemoveBtn"), &QPushButton::clicked, &TMainForm::RemoveBtnClick);
    onChange(button("MoveUpBtn"), &QPushButton::clicked, &TMainForm::MoveUpBtnClick);
    onChange(button("MoveDownBtn"), &QPushButton::clicked, &TMainForm::MoveDownBtnClick);
    onChange(button("ClearListBtn"), &QPushButton::clicked, &TMainForm::ClearListBtnClick);
    onChange(sortedChk_, &QCheckBox::clicked, &TMainForm::SortedChkClick);
    // A click re-reads the preview also on the row already selected: the file may have
    // changed on disk.
    onChange(filesListBox_, &QListWidget::currentRowChanged, &TMainForm::FilesListBoxClick);
    onChange(static_cast<ClickableListBox*>(filesListBox_), &ClickableListBox::selectedRowClicked,
             &TMainForm::FilesListBoxClick);
    onChange(previewImgChk_, &QCheckBox::toggled, &TMainForm::FilesListBoxClick);
    onChange(findChild<QToolButton*>("BackSpeedButton"), &QToolButton::clicked,
             &TMainForm::BackSpeedButtonClick);
}

// The nine samples, each shown by one control and opening the colour dialog when clicked
// (the page sample also through its "Background" label).
void TMainForm::connectColorSamples() {
    colorDialog_ = new TWebColorDialog(this);
    colorSettings_ = new ColorSettings(
        *colorDialog_, [this]() -> TProject& { return *project_; }, [this] { MarkModified(); },
        this);
    colorSettings_->attach(ColorSample::BorderColor, borderColorPanel_);
    colorSettings_->attach(ColorSample::TableHeaderColor, tableHeaderPanel_);
    colorSettings_->attach(ColorSample::TableHeaderTextColor, tableHeaderText_);
    colorSettings_->attach(ColorSample::LinkColor, linkLabel_);
    colorSettings_->attach(ColorSample::ActiveLinkColor, activeLinkLabel_);
    colorSettings_->attach(ColorSample::VisitedLinkColor, visitedLinkLabel_);
    colorSettings_->attach(ColorSample::HoverColor, hoverLabel_);
    colorSettings_->attach(ColorSample::BackColor, backPanel_, {backLabel_});
    colorSettings_->attach(ColorSample::TextColor, textLabel_);

    const std::pair<QObject*, ColorSample> samples[] = {
        {borderColorPanel_, ColorSample::BorderColor},
        {tableHeaderPanel_, ColorSample::TableHeaderColor},
        {tableHeaderText_, ColorSample::TableHeaderTextColor},
        {linkLabel_, ColorSample::LinkColor},
        {activeLinkLabel_, ColorSample::ActiveLinkColor},
        {visitedLinkLabel_, ColorSample::VisitedLinkColor},
        {hoverLabel_, ColorSample::HoverColor},
        {backPanel_, ColorSample::BackColor},
        {backLabel_, ColorSample::BackColor},
        {textLabel_, ColorSample::TextColor}};
    for (const auto& [widget, sample] : samples) {
        auto clicked = [this, which = sample] {
            runCommand([this, which] { ColorSampleClick(which); });
        };
        if (auto* panel = qobject_cast<ClickablePanel*>(widget)) {
            connect(panel, &ClickablePanel::clicked, this, clicked);
        } else if (auto* label = qobject_cast<ClickableLabel*>(widget)) {
            connect(label, &ClickableLabel::clicked, this, clicked);
        }
    }
}

} // namespace fotoplex
