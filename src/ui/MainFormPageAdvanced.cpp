#include "ui/Controls.h"
#include "ui/MainForm.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace fotoplex {

namespace {

QStringList encodingNames() {
    return {"Central European (ISO-8859-2)",
            "Central European (MacCE)",
            "Central European (Windows-1250)",
            "Cyrillic (ISO-8859-5)",
            "Cyrillic (KOI8-R)",
            "Cyrillic (MacCyrillic)",
            "Cyrillic (Windows-1251)",
            "Greek (ISO-8859-7)",
            "Greek (MacGreek)",
            "Greek (Windows-1253)",
            "Icelandic Mac (ISO-8859-1)",
            "Japanese (EUC)",
            "Japanese (JIS)",
            "Japanese (Shift JIS)",
            "Korean (EUC-KR)",
            "Simplified Chinese (GB2312)",
            "Traditional Chinese (Big5)",
            "UTF-8 (Unicode)",
            "Western (Latin)",
            "Windows 1252"};
}

// Already in sorted order, so an item's index is its index in the font-family table.
QStringList fontFamilyNames() {
    return {"Arial, Helvetica, sans-serif",      "Courier New, Courier, monospace",
            "MS Sans Serif, Geneva, sans-serif", "MS Serif, New York, serif",
            "Times New Roman, Times, serif",     "Verdana, Arial, Helvetica, sans-serif"};
}

QStringList linkTargetNames() {
    return {"_blank", "_self", "_top", "_parent"};
}

// In the order of MetadataChoice: all, nolocation, profile.
QStringList metadataChoiceNames() {
    return {"Keep everything", "Keep everything but the location", "Colour profile only"};
}

// In the order of PageStyleKind: classic, modern.
QStringList pageStyleNames() {
    return {"Classic (fixed tables)", "Modern (phones, sharp screens)"};
}

} // namespace

// How the pages are formed, and what the modern pages declare about themselves.
QGroupBox* TMainForm::buildPageStyleGroup(QWidget* page) {
    QGroupBox* group = makeGroup(page, "PageStyleGroup", "Page style");
    auto* layout = new QGridLayout(group);
    pageStyleList_ = makeList(group, "PageStyleList", pageStyleNames(), 0);
    pageLanguage_ = makeEdit(group, "PageLanguageEdit", "en", 35);
    siteAddress_ = makeEdit(group, "SiteAddressEdit", "", 255);
    siteAddress_->setPlaceholderText("https://example.org/gallery/");
    layout->addWidget(makeCaption(group, "Page style:", pageStyleList_), 0, 0);
    layout->addWidget(pageStyleList_, 0, 1);
    layout->addWidget(makeCaption(group, "Page language:", pageLanguage_), 1, 0);
    layout->addWidget(pageLanguage_, 1, 1);
    layout->addWidget(makeCaption(group, "Site address:", siteAddress_), 2, 0);
    layout->addWidget(siteAddress_, 2, 1);
    layout->setColumnStretch(1, 1);
    return group;
}

// What of a photo's metadata (EXIF block, location, colour profile) the pictures carry.
QGroupBox* TMainForm::buildPictureMetadataGroup(QWidget* page) {
    QGroupBox* group = makeGroup(page, "PictureMetadataGroup", "Picture metadata");
    auto* layout = new QGridLayout(group);
    imageMetadataList_ = makeList(group, "ImageMetadataList", metadataChoiceNames(), 0);
    thumbMetadataList_ = makeList(group, "ThumbMetadataList", metadataChoiceNames(), 0);
    layout->addWidget(makeCaption(group, "Images:", imageMetadataList_), 0, 0);
    layout->addWidget(imageMetadataList_, 0, 1);
    layout->addWidget(makeCaption(group, "Thumbnails:", thumbMetadataList_), 1, 0);
    layout->addWidget(thumbMetadataList_, 1, 1);
    layout->setColumnStretch(1, 1);
    return group;
}

QWidget* TMainForm::buildAdvancedPage() {
    auto* page = new QWidget;
    page->setObjectName("AdvancedTabSheet");
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(6, 6, 6, 6);
    QGroupBox* settings = makeGroup(page, "AdvancedSettingsGroup", "Advanced Settings");
    auto* layout = new QGridLayout(settings);
    encodingList_ = makeList(settings, "EncodingList", encodingNames(), 18);
    encodingList_->setMaxVisibleItems(14);
    fontFamilyList_ = makeList(settings, "FontFamilyList", fontFamilyNames(), 0);
    linksTarget_ = makeList(settings, "LinksTarget", linkTargetNames(), 1);
    layout->addWidget(makeCaption(settings, "Character Encoding:", encodingList_), 0, 0);
    layout->addWidget(encodingList_, 0, 1);
    layout->addWidget(makeCaption(settings, "Font Family:", fontFamilyList_), 1, 0);
    layout->addWidget(fontFamilyList_, 1, 1);
    layout->addWidget(makeCaption(settings, "Links target:", linksTarget_), 2, 0);
    layout->addWidget(linksTarget_, 2, 1);
    layout->setColumnStretch(1, 1);
    pageLayout->addWidget(settings);
    pageLayout->addWidget(buildPictureMetadataGroup(page));
    pageLayout->addWidget(buildPageStyleGroup(page));
    pageLayout->addStretch(1);
    return page;
}

} // namespace fotoplex
