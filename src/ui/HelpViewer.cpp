#include "ui/HelpViewer.h"

#include "base/ResourceFolder.h"

#include <QHBoxLayout>
#include <QLoggingCategory>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace fotoplex {

namespace {

Q_LOGGING_CATEGORY(lcHelp, "fotoplex.help", QtWarningMsg)

// The guide's contents page in the program's resource folder; empty when it is missing.
QUrl findGuide() {
    const auto folder = findResourceFolder(programFolder());
    if (!folder) {
        qCWarning(lcHelp, "the user guide is missing: no share/fotoplex above %s",
                  programFolder().string().c_str());
        return {};
    }
    const std::filesystem::path page = *folder / "help" / "index.html";
    std::error_code ec;
    if (!std::filesystem::is_regular_file(page, ec)) {
        qCWarning(lcHelp, "the user guide is missing: %s", page.string().c_str());
        return {};
    }
    qCInfo(lcHelp, "user guide: %s", page.string().c_str());
    return QUrl::fromLocalFile(QString::fromStdString(page.string()));
}

} // namespace

HelpViewer::HelpViewer(QWidget* parent) : QDialog(parent), guide_(findGuide()) {
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

// Every context opens the contents page; the guide has no finer topics.
void HelpViewer::showContext(int /*context*/) {
    if (guide_.isEmpty()) {
        browser_->setHtml(
            "<p>The user guide was not found. It belongs in share/fotoplex/help "
            "beside the program's bin folder; reinstalling Fotoplex restores it.</p>");
    } else {
        browser_->setSource(guide_);
    }
    show();
    raise();
    activateWindow();
}

QUrl HelpViewer::currentPage() const {
    return browser_->source();
}

} // namespace fotoplex
