#include "ui/Controls.h"
#include "ui/MainForm.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace fotoplex {

QWidget* TMainForm::buildBuildPage() {
    auto* page = new QWidget;
    page->setObjectName("BuildTabSheet");
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(6, 6, 6, 6);
    QGroupBox* build = makeGroup(page, "BuildGroup", "Build");
    auto* layout = new QVBoxLayout(build);
    pageLayout->addWidget(build);

    overwriteImgRadio_ = makeGroup(build, "OverwriteImgRadio", "Existing Files");
    auto* overwriteLayout = new QHBoxLayout(overwriteImgRadio_);
    overwriteButtons_ = new QButtonGroup(overwriteImgRadio_);
    overwriteButtons_->setObjectName("OverwriteImgButtons");
    const std::pair<const char*, const char*> modes[] = {{"OverwriteImgOverwrite", "Overwrite"},
                                                         {"OverwriteImgAsk", "Ask me"},
                                                         {"OverwriteImgSkip", "Skip"}};
    int id = 0;
    for (const auto& [name, caption] : modes) {
        auto* button = new QRadioButton(caption, overwriteImgRadio_);
        button->setObjectName(name);
        overwriteButtons_->addButton(button, id++);
        overwriteLayout->addWidget(button);
    }
    overwriteButtons_->button(0)->setChecked(true);
    layout->addWidget(overwriteImgRadio_);

    QGroupBox* commands = makeGroup(build, "BuildButtonsGroup", "Build");
    auto* commandsLayout = new QHBoxLayout(commands);
    buildImagesBtn_ = new QPushButton("Images", commands);
    buildImagesBtn_->setObjectName("BuildImagesBtn");
    buildThumbsBtn_ = new QPushButton("Thumbnails", commands);
    buildThumbsBtn_->setObjectName("BuildThumbsBtn");
    buildAllBtn_ = new QPushButton("Build Gallery", commands);
    buildAllBtn_->setObjectName("BuildAllBtn");
    QFont bold = buildAllBtn_->font();
    bold.setBold(true);
    buildAllBtn_->setFont(bold);
    for (QPushButton* button : {buildImagesBtn_, buildThumbsBtn_, buildAllBtn_}) {
        button->setMinimumHeight(32);
        commandsLayout->addWidget(button);
    }
    layout->addWidget(commands);

    QGroupBox* progress = makeGroup(build, "ProgressGroup", "Progress");
    auto* progressLayout = new QHBoxLayout(progress);
    totalProgress_ = new QProgressBar(progress);
    totalProgress_->setObjectName("TotalProgress");
    totalProgress_->setRange(0, 100);
    totalProgress_->setValue(0);
    progressLayout->addWidget(makeCaption(progress, "Total:", totalProgress_));
    progressLayout->addWidget(totalProgress_, 1);
    layout->addWidget(progress);

    showWhenReady_ =
        makeCheckBox(build, "ShowWhenReady", "Show gallery in browser when ready", false);
    layout->addWidget(showWhenReady_);
    pageLayout->addStretch(1);
    return page;
}

} // namespace fotoplex
