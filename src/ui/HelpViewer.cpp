#include "ui/HelpViewer.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace fotoplex {

namespace {

QUrl pageOfContext(int context) {
    switch (context) {
    case HelpViewer::kContentsContext:
    default:
        return QUrl("qrc:/help/index.html");
    }
}

} // namespace

HelpViewer::HelpViewer(QWidget* parent) : QDialog(parent) {
    setObjectName("HelpViewer");
    setWindowTitle("Fotoplex Help");
    setModal(false);
    resize(640, 560);
    auto* layout = new QVBoxLayout(this);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName("HelpBrowser");
    browser_->setOpenExternalLinks(true);
    layout->addWidget(browser_);

    auto* buttons = new QHBoxLayout;
    auto* back = new QPushButton("Back", this);
    auto* contents = new QPushButton("Contents", this);
    auto* close = new QPushButton("Close", this);
    buttons->addWidget(back);
    buttons->addWidget(contents);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(contents, &QPushButton::clicked, this, [this] { showContext(kContentsContext); });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
}

void HelpViewer::showContext(int context) {
    browser_->setSource(pageOfContext(context));
    show();
    raise();
    activateWindow();
}

QUrl HelpViewer::currentPage() const {
    return browser_->source();
}

} // namespace fotoplex
