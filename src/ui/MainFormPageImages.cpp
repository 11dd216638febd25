#include "ui/Controls.h"
#include "ui/MainForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace fotoplex {

QWidget* TMainForm::buildImagesPage() {
    auto* page = new QWidget;
    page->setObjectName("ImagesTabSheet");
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(6, 6, 6, 6);
    QGroupBox* settings = makeGroup(page, "ImageSettingsGroup", "Image Settings");
    auto* layout = new QGridLayout(settings);
    pageLayout->addWidget(settings);

    QGroupBox* output = makeGroup(settings, "ImageOutputFolderGroup", "Output Folder");
    auto* outputLayout = new QGridLayout(output);
    imageFolder_ = makeEdit(output, "ImageFolder", "img/");
    outputLayout->addWidget(makeCaption(output, "Folder:", imageFolder_), 0, 0);
    outputLayout->addWidget(imageFolder_, 0, 1);
    auto* note = new QLabel("Note: This folder is relative to the target catalog\n"
                            "folder. Leave empty to put the images in the root\n"
                            "catalog folder.",
                            output);
    note->setObjectName("ImageFolderNote");
    outputLayout->addWidget(note, 1, 0, 1, 2);
    layout->addWidget(output, 0, 0, 1, 2);

    QGroupBox* resize = makeGroup(settings, "ImageResizeGroup", "Resize");
    auto* resizeLayout = new QGridLayout(resize);
    resizeImgChk_ = makeCheckBox(resize, "ResizeImgChk", "Resize Original Images", false);
    imgWidthSpinEdit_ = makeSpinEdit(resize, "ImgWidthSpinEdit", 20, 4000, 10, 640);
    imgHeightSpinEdit_ = makeSpinEdit(resize, "ImgHeightSpinEdit", 20, 4000, 10, 480);
    keepImgAspectChk_ = makeCheckBox(resize, "KeepImgAspectChk", "Keep Aspect Ratio", true);
    resizeLayout->addWidget(resizeImgChk_, 0, 0, 1, 2);
    resizeLayout->addWidget(makeCaption(resize, "Width:", imgWidthSpinEdit_), 1, 0);
    resizeLayout->addWidget(imgWidthSpinEdit_, 1, 1);
    resizeLayout->addWidget(makeCaption(resize, "Height:", imgHeightSpinEdit_), 2, 0);
    resizeLayout->addWidget(imgHeightSpinEdit_, 2, 1);
    resizeLayout->addWidget(keepImgAspectChk_, 3, 0, 1, 2);
    resizeLayout->setRowStretch(4, 1);
    layout->addWidget(resize, 1, 0);

    QGroupBox* advanced = makeGroup(settings, "ImageAdvancedGroup", "Advanced");
    auto* advancedLayout = new QGridLayout(advanced);
    jpegQualitySpinEdit_ = makeSpinEdit(advanced, "JPEGQualitySpinEdit", 10, 100, 1, 85);
    imgResizeMethod_ = makeList(advanced, "ImgResizeMethod", resizeMethodNames(), 5);
    progressiveImg_ = makeCheckBox(advanced, "ProgressiveImg", "Progressive JPEG", false);
    advancedLayout->addWidget(makeCaption(advanced, "JPEG Quality:", jpegQualitySpinEdit_), 0, 0);
    advancedLayout->addWidget(jpegQualitySpinEdit_, 0, 1);
    advancedLayout->addWidget(makeCaption(advanced, "Resize Method:", imgResizeMethod_), 1, 0);
    advancedLayout->addWidget(imgResizeMethod_, 1, 1);
    advancedLayout->addWidget(progressiveImg_, 2, 0, 1, 2);
    advancedLayout->setRowStretch(3, 1);
    layout->addWidget(advanced, 1, 1);

    pageLayout->addStretch(1);
    return page;
}

QWidget* TMainForm::buildThumbsPage() {
    auto* page = new QWidget;
    page->setObjectName("ThumbsTabSheet");
    auto* layout = new QGridLayout(page);
    layout->setContentsMargins(6, 6, 6, 6);

    QGroupBox* names = makeGroup(page, "ThumbFolderGroup", "Thumbnail Folder / Filenames");
    auto* namesLayout = new QGridLayout(names);
    thumbFolder_ = makeEdit(names, "ThumbFolder", "thumbs/");
    thumbPrefix_ = makeEdit(names, "ThumbPrefix", "tn_", 10);
    thumbSuffix_ = makeEdit(names, "ThumbSuffix", "", 10);
    namesLayout->addWidget(makeCaption(names, "Folder:", thumbFolder_), 0, 0);
    namesLayout->addWidget(thumbFolder_, 0, 1);
    namesLayout->addWidget(makeCaption(names, "Prefix:", thumbPrefix_), 1, 0);
    namesLayout->addWidget(thumbPrefix_, 1, 1);
    namesLayout->addWidget(makeCaption(names, "Suffix:", thumbSuffix_), 2, 0);
    namesLayout->addWidget(thumbSuffix_, 2, 1);
    layout->addWidget(names, 0, 0);

    QGroupBox* size = makeGroup(page, "ThumbSettingsGroup", "Thumbnail Settings");
    auto* sizeLayout = new QGridLayout(size);
    thumbWidthSpinEdit_ = makeSpinEdit(size, "ThumbWidthSpinEdit", 20, 300, 5, 120);
    thumbHeightSpinEdit_ = makeSpinEdit(size, "ThumbHeightSpinEdit", 20, 300, 5, 120);
    keepThumbAspectChk_ = makeCheckBox(size, "KeepThumbAspectChk", "Keep Aspect Ratio", true);
    sizeLayout->addWidget(makeCaption(size, "Width:", thumbWidthSpinEdit_), 0, 0);
    sizeLayout->addWidget(thumbWidthSpinEdit_, 0, 1);
    sizeLayout->addWidget(makeCaption(size, "Height:", thumbHeightSpinEdit_), 1, 0);
    sizeLayout->addWidget(thumbHeightSpinEdit_, 1, 1);
    sizeLayout->addWidget(keepThumbAspectChk_, 2, 0, 1, 2);
    layout->addWidget(size, 1, 0);

    QGroupBox* advanced = makeGroup(page, "ThumbAdvancedGroup", "Advanced Settings");
    auto* advancedLayout = new QGridLayout(advanced);
    thumbQualitySpinEdit_ = makeSpinEdit(advanced, "ThumbQualitySpinEdit", 10, 100, 1, 75);
    thumbResizeMethod_ = makeList(advanced, "ThumbResizeMethod", resizeMethodNames(), 5);
    progressiveThumb_ = makeCheckBox(advanced, "ProgressiveThumb", "Progressive JPEG", false);
    advancedLayout->addWidget(makeCaption(advanced, "JPEG Quality:", thumbQualitySpinEdit_), 0, 0);
    advancedLayout->addWidget(thumbQualitySpinEdit_, 0, 1);
    advancedLayout->addWidget(makeCaption(advanced, "Resize Method:", thumbResizeMethod_), 1, 0);
    advancedLayout->addWidget(thumbResizeMethod_, 1, 1);
    advancedLayout->addWidget(progressiveThumb_, 2, 0, 1, 2);
    layout->addWidget(advanced, 2, 0);

    // The sample photograph as a thumbnail of the current size.
    QGroupBox* preview = makeGroup(page, "ThumbPreviewGroup", "Preview");
    auto* previewLayout = new QVBoxLayout(preview);
    previewLayout->setContentsMargins(4, 2, 4, 2);
    previewLayout->setSpacing(2);
    thumbPreviewImage_ = new QLabel(preview);
    thumbPreviewImage_->setObjectName("ThumbPreviewImage");
    thumbPreviewImage_->setAlignment(Qt::AlignCenter);
    thumbPreviewImage_->setVisible(false);
    auto* previewBox = new QWidget(preview);
    previewBox->setObjectName("ThumbPreviewBox");
    previewBox->setFixedSize(300, 300);
    thumbPreviewImage_->setParent(previewBox);
    previewLayout->addWidget(previewBox, 0, Qt::AlignHCenter);
    auto* source = new QLabel("Source Image: 640x480 pixels", preview);
    source->setObjectName("ThumbSourceLabel");
    previewLayout->addWidget(source);
    tnPreview_ = makeCheckBox(preview, "tnPreview", "Preview", false);
    previewLayout->addWidget(tnPreview_);
    layout->addWidget(preview, 0, 1, 4, 1);
    layout->setRowStretch(3, 1);
    return page;
}

} // namespace fotoplex
