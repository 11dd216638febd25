#include "ui/ClickableWidgets.h"
#include "ui/Controls.h"
#include "ui/MainForm.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace fotoplex {

namespace {

QStringList headingNames() {
    return {"Heading 1", "Heading 2", "Heading 3", "Heading 4", "Heading 5", "Heading 6"};
}

ClickableLabel* makeSampleLabel(QWidget* parent, const QString& name, const QString& text) {
    auto* label = new ClickableLabel(text, parent);
    label->setObjectName(name);
    return label;
}

// A spin edit with its caption in two cells of a grid row.
QSpinBox* addSpinEdit(QGridLayout* layout, QWidget* parent, int row, int column,
                      const QString& caption, const QString& name, int minimum, int maximum,
                      int step, int value) {
    QSpinBox* spinEdit = makeSpinEdit(parent, name, minimum, maximum, step, value);
    layout->addWidget(makeCaption(parent, caption, spinEdit), row, column);
    layout->addWidget(spinEdit, row, column + 1);
    return spinEdit;
}

} // namespace

QWidget* TMainForm::buildGalleryPage() {
    auto* page = new QWidget;
    page->setObjectName("GalleryTabSheet");
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    galleryPageControl_ = new QTabWidget(page);
    galleryPageControl_->setObjectName("GalleryPageControl");
    galleryPageControl_->addTab(buildGalleryGeneralTab(), "General");
    galleryPageControl_->addTab(buildGalleryTitlesTab(), "Titles");
    // The first visit shows the titles.
    galleryPageControl_->setCurrentIndex(1);
    layout->addWidget(galleryPageControl_);
    return page;
}

QWidget* TMainForm::buildGalleryGeneralTab() {
    auto* tab = new QWidget;
    tab->setObjectName("GalleryGeneral");
    auto* layout = new QGridLayout(tab);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);

    QGroupBox* table = makeGroup(tab, "TableGroup", "Table");
    auto* grid = new QGridLayout(table);
    grid->setVerticalSpacing(3);
    grid->setContentsMargins(6, 4, 6, 4);

    tableHeaderPanel_ = new ClickablePanel(table);
    tableHeaderPanel_->setObjectName("TableHeaderPanel");
    tableHeaderPanel_->setFixedHeight(24);
    setPanelColor(tableHeaderPanel_, QColor(0x99, 0xCC, 0xCC));
    auto* headerLayout = new QHBoxLayout(tableHeaderPanel_);
    headerLayout->setContentsMargins(2, 0, 2, 0);
    tableHeaderText_ = makeSampleLabel(tableHeaderPanel_, "TableHeaderText", "Table Caption");
    setFontColor(tableHeaderText_, Qt::black);
    headerLayout->addStretch(1);
    headerLayout->addWidget(tableHeaderText_);
    headerLayout->addStretch(1);
    grid->addWidget(tableHeaderPanel_, 0, 0, 1, 4);

    tableAutoWidth_ = makeCheckBox(table, "TableAutoWidth", "Auto", true);
    auto* widthCaption = new QLabel("Width:", table);
    widthCaption->setObjectName("TableWidthLabel");
    grid->addWidget(widthCaption, 1, 0);
    grid->addWidget(tableAutoWidth_, 1, 1);
    pixelsRadio_ = new QRadioButton("Pixels:", table);
    pixelsRadio_->setObjectName("PixelsRadio");
    pixelsRadio_->setChecked(true);
    percentsRadio_ = new QRadioButton("Percents:", table);
    percentsRadio_->setObjectName("PercentsRadio");
    tableWidthPx_ = makeSpinEdit(table, "TableWidthPx", 100, 2600, 10, 600);
    tableWidthPer_ = makeSpinEdit(table, "TableWidthPer", 10, 100, 5, 70);
    grid->addWidget(pixelsRadio_, 2, 0);
    grid->addWidget(tableWidthPx_, 2, 1);
    grid->addWidget(percentsRadio_, 2, 2);
    grid->addWidget(tableWidthPer_, 2, 3);

    tableBorder_ = addSpinEdit(grid, table, 3, 0, "Border:", "TableBorder", 0, 99, 1, 1);
    borderColorPanel_ = new ClickablePanel(table);
    borderColorPanel_->setObjectName("BorderColorPanel");
    borderColorPanel_->setFixedSize(40, 20);
    setPanelColor(borderColorPanel_, Qt::black);
    auto* borderColorCaption = new QLabel("Border Color:", table);
    borderColorCaption->setObjectName("BorderColorPanelLabel");
    grid->addWidget(borderColorCaption, 3, 2);
    grid->addWidget(borderColorPanel_, 3, 3);
    tableCols_ = addSpinEdit(grid, table, 4, 0, "Columns:", "TableCols", 1, 99, 1, 3);
    tableRows_ = addSpinEdit(grid, table, 4, 2, "Rows:", "TableRows", 1, 99, 1, 3);
    cellSpacing_ = addSpinEdit(grid, table, 5, 0, "Cell spacing:", "CellSpacing", 0, 99, 1, 8);
    cellPadding_ = addSpinEdit(grid, table, 5, 2, "Cell padding:", "CellPadding", 0, 99, 1, 0);
    navFontSize_ = addSpinEdit(grid, table, 6, 0, "Font Size:", "NavFontSize", 6, 72, 1, 12);
    auto* pixels = new QLabel("pixels", table);
    pixels->setObjectName("NavFontSizeUnit");
    grid->addWidget(pixels, 6, 2);
    jumpMenu_ = makeCheckBox(table, "JumpMenu", "Show jump menu below table", false);
    grid->addWidget(jumpMenu_, 7, 0, 1, 4);
    pageCountPanel_ = new QLabel(table);
    pageCountPanel_->setObjectName("PageCountPanel");
    pageCountPanel_->setFrameShape(QFrame::Panel);
    pageCountPanel_->setFrameShadow(QFrame::Sunken);
    pageCountPanel_->setAlignment(Qt::AlignCenter);
    pageCountPanel_->setMinimumHeight(20);
    grid->addWidget(pageCountPanel_, 8, 0, 1, 4);
    grid->setRowStretch(9, 1);
    layout->addWidget(table, 0, 0, 3, 1);

    // The page sample: link and text colours on the background colour.
    QGroupBox* colors = makeGroup(tab, "PageColorsGroup", "Page Colors");
    auto* colorsLayout = new QVBoxLayout(colors);
    colorsLayout->setContentsMargins(6, 4, 6, 6);
    backPanel_ = new ClickablePanel(colors);
    backPanel_->setObjectName("BackPanel");
    setPanelColor(backPanel_, Qt::white);
    auto* sample = new QGridLayout(backPanel_);
    sample->setContentsMargins(6, 4, 6, 4);
    sample->setVerticalSpacing(2);
    backLabel_ = makeSampleLabel(backPanel_, "BackLabel", "Background");
    textLabel_ = makeSampleLabel(backPanel_, "TextLabel", "Text");
    hoverLabel_ = makeSampleLabel(backPanel_, "HoverLabel", "Hover");
    linkLabel_ = makeSampleLabel(backPanel_, "LinkLabel", "Link");
    activeLinkLabel_ = makeSampleLabel(backPanel_, "ActiveLinkLabel", "Active Link");
    visitedLinkLabel_ = makeSampleLabel(backPanel_, "VisitedLinkLabel", "Visited Link");
    sample->addWidget(backLabel_, 0, 0);
    sample->addWidget(textLabel_, 1, 0);
    sample->addWidget(hoverLabel_, 2, 0);
    sample->addWidget(linkLabel_, 0, 1);
    sample->addWidget(activeLinkLabel_, 1, 1);
    sample->addWidget(visitedLinkLabel_, 2, 1);
    for (ClickableLabel* label :
         {backLabel_, textLabel_, hoverLabel_, linkLabel_, activeLinkLabel_, visitedLinkLabel_}) {
        setFontColor(label, Qt::black);
    }
    colorsLayout->addWidget(backPanel_);
    layout->addWidget(colors, 0, 1);

    alignment_ = makeGroup(tab, "Alignment", "Alignment");
    auto* alignmentLayout = new QHBoxLayout(alignment_);
    alignmentLayout->setContentsMargins(6, 2, 6, 2);
    alignmentButtons_ = new QButtonGroup(alignment_);
    alignmentButtons_->setObjectName("AlignmentButtons");
    const char* alignments[] = {"Center", "Left", "Right"};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QRadioButton(alignments[i], alignment_);
        button->setObjectName(QString("Alignment") + alignments[i]);
        alignmentButtons_->addButton(button, i);
        alignmentLayout->addWidget(button);
    }
    alignmentButtons_->button(0)->setChecked(true);
    layout->addWidget(alignment_, 1, 1);

    QGroupBox* margins = makeGroup(tab, "MarginsGroup", "Margins");
    auto* marginsLayout = new QGridLayout(margins);
    marginsLayout->setContentsMargins(6, 2, 6, 4);
    marginsLayout->setVerticalSpacing(3);
    marginLeft_ = addSpinEdit(marginsLayout, margins, 0, 0, "Left:", "MarginLeft", 0, 99, 1, 0);
    marginRight_ = addSpinEdit(marginsLayout, margins, 0, 2, "Right:", "MarginRight", 0, 99, 1, 0);
    marginTop_ = addSpinEdit(marginsLayout, margins, 1, 0, "Top:", "MarginTop", 0, 99, 1, 0);
    marginBottom_ =
        addSpinEdit(marginsLayout, margins, 1, 2, "Bottom:", "MarginBottom", 0, 99, 1, 0);
    layout->addWidget(margins, 2, 1);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 2);
    return tab;
}

QWidget* TMainForm::buildGalleryTitlesTab() {
    auto* tab = new QWidget;
    tab->setObjectName("GalleryTitles");
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(4, 4, 4, 4);

    QGroupBox* document = makeGroup(tab, "DocumentGroup", "Document");
    auto* grid = new QGridLayout(document);
    grid->setVerticalSpacing(2);
    docTitle_ = makeEdit(document, "DocTitle", "", 255);
    topTitle_ = makeEdit(document, "TopTitle", "");
    bottomTitle_ = makeEdit(document, "BottomTitle", "Created With Fotoplex 1.0");
    topTitleSize_ = makeList(document, "TopTitleSize", headingNames(), 1);
    bottomTitleSize_ = makeList(document, "BottomTitleSize", headingNames(), 5);
    grid->addWidget(makeCaption(document, "Document title (shown in browser title bar)", docTitle_),
                    0, 0, 1, 3);
    grid->addWidget(docTitle_, 1, 0, 1, 3);
    grid->addWidget(makeCaption(document, "Top gallery title (shown above the table)", topTitle_),
                    2, 0, 1, 3);
    grid->addWidget(topTitle_, 3, 0);
    grid->addWidget(makeCaption(document, "Font size:", topTitleSize_), 3, 1);
    grid->addWidget(topTitleSize_, 3, 2);
    grid->addWidget(
        makeCaption(document, "Bottom gallery title (shown below the table):", bottomTitle_), 4, 0,
        1, 3);
    grid->addWidget(bottomTitle_, 5, 0);
    grid->addWidget(makeCaption(document, "Font size:", bottomTitleSize_), 5, 1);
    grid->addWidget(bottomTitleSize_, 5, 2);
    grid->setColumnStretch(0, 1);
    layout->addWidget(document);

    QGroupBox* navigation = makeGroup(tab, "NavigationBarGroup", "Navigation Bar");
    auto* navGrid = new QGridLayout(navigation);
    struct Word {
        QLineEdit** edit;
        const char* name;
        const char* caption;
        const char* text;
    };
    const Word words[] = {{&pageEdit_, "PageEdit", "Page:", "Page"},
                          {&galleryEdit_, "GalleryEdit", "Gallery:", "Gallery"},
                          {&previousEdit_, "PreviousEdit", "Previous:", "Previous"},
                          {&nextEdit_, "NextEdit", "Next:", "Next"},
                          {&jumpToEdit_, "JumpToEdit", "Jump To:", "Jump To"},
                          {&ofEdit_, "OfEdit", "Of:", "Of"}};
    int index = 0;
    for (const Word& word : words) {
        *word.edit = makeEdit(navigation, word.name, word.text, 40);
        const int row = index / 3;
        const int column = (index % 3) * 2;
        navGrid->addWidget(makeCaption(navigation, word.caption, *word.edit), row, column);
        navGrid->addWidget(*word.edit, row, column + 1);
        ++index;
    }
    layout->addWidget(navigation);
    layout->addStretch(1);
    return tab;
}

} // namespace fotoplex
