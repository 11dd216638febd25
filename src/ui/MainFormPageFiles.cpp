#include "ui/ClickableWidgets.h"
#include "ui/Controls.h"
#include "ui/MainForm.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace fotoplex {

namespace {

constexpr int kPreviewBoxWidth = 169;
constexpr int kPreviewBoxHeight = 153;
constexpr int kInfoLineWidth = 273;

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

QToolButton* makeEllipsisButton(QWidget* parent, const QString& name) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText("...");
    return button;
}

} // namespace

QWidget* TMainForm::buildFilesPage() {
    auto* page = new QWidget;
    page->setObjectName("FilesTabSheet");
    auto* layout = new QGridLayout(page);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);

    // The ordered source list with its buttons.
    QGroupBox* list = makeGroup(page, "FileListGroup", "File List");
    auto* listLayout = new QGridLayout(list);
    filesListBox_ = new ClickableListBox(list);
    filesListBox_->setObjectName("FilesListBox");
    filesListBox_->setSelectionMode(QAbstractItemView::SingleSelection);
    listLayout->addWidget(filesListBox_, 0, 0, 8, 1);
    const std::pair<const char*, const char*> buttons[] = {
        {"SelectFilesBtn", "Select..."}, {"AddFilesBtn", "Add..."},
        {"RemoveBtn", "Remove"},         {"MoveUpBtn", "Move Up"},
        {"MoveDownBtn", "Move Down"},    {"ClearListBtn", "Clear List"}};
    int row = 0;
    for (const auto& [name, caption] : buttons) {
        listLayout->addWidget(makeButton(list, name, caption), row++, 1);
    }
    sortedChk_ = makeCheckBox(list, "SortedChk", "Sorted", false);
    listLayout->addWidget(sortedChk_, row++, 1);
    listLayout->setRowStretch(row, 1);
    listLayout->setColumnStretch(0, 1);
    layout->addWidget(list, 0, 0);

    // The selected source, small.
    QGroupBox* preview = makeGroup(page, "PreviewGroup", "Preview");
    auto* previewLayout = new QVBoxLayout(preview);
    previewImage_ = new QLabel(preview);
    previewImage_->setObjectName("PreviewImage");
    previewImage_->setFixedSize(kPreviewBoxWidth, kPreviewBoxHeight);
    previewImage_->setAlignment(Qt::AlignCenter);
    previewLayout->addWidget(previewImage_, 0, Qt::AlignHCenter);
    infoLabel_ = new QLabel(preview);
    infoLabel_->setObjectName("InfoLabel");
    infoLabel_->setTextFormat(Qt::PlainText);
    infoLabel_->setAlignment(Qt::AlignCenter);
    infoLabel_->setFixedWidth(kInfoLineWidth);
    previewLayout->addWidget(infoLabel_);
    previewImgChk_ = makeCheckBox(preview, "PreviewImgChk", "Preview", true);
    previewLayout->addWidget(previewImgChk_);
    previewLayout->addStretch(1);
    layout->addWidget(preview, 0, 1);

    // Where the gallery goes, and its page background.
    QGroupBox* catalog = makeGroup(page, "CatalogGroup", "Catalog");
    auto* catalogLayout = new QGridLayout(catalog);
    targetDirEdit_ = makeEdit(catalog, "TargetDirEdit", "c:\\1");
    chooseTargetDirBtn_ = makeEllipsisButton(catalog, "ChooseTargetDirBtn");
    backgroundImage_ = makeEdit(catalog, "BackgroundImage", "");
    backgroundImage_->setReadOnly(true);
    QToolButton* backButton = makeEllipsisButton(catalog, "BackSpeedButton");
    catalogLayout->addWidget(makeCaption(catalog, "Target Folder:", targetDirEdit_), 0, 0);
    catalogLayout->addWidget(targetDirEdit_, 0, 1);
    catalogLayout->addWidget(chooseTargetDirBtn_, 0, 2);
    catalogLayout->addWidget(makeCaption(catalog, "Background Image:", backgroundImage_), 1, 0);
    catalogLayout->addWidget(backgroundImage_, 1, 1);
    catalogLayout->addWidget(backButton, 1, 2);
    layout->addWidget(catalog, 1, 0, 1, 2);

    convertLow_ =
        makeCheckBox(page, "ConvertLow", "Convert filenames to lowerspace (Recommended)", true);
    layout->addWidget(convertLow_, 2, 0, 1, 2);
    layout->setColumnStretch(0, 1);
    layout->setRowStretch(0, 1);
    return page;
}

} // namespace fotoplex
