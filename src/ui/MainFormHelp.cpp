#include "gallery/PageIdentity.h"
#include "ui/AboutBox.h"
#include "ui/HelpViewer.h"
#include "ui/MainForm.h"
#include "ui/QtText.h"

#include <QDesktopServices>
#include <QUrl>

namespace fotoplex {

void TMainForm::showHelpContents() {
    help_->showContext(HelpViewer::kContentsContext);
}

void TMainForm::openHomePage() {
    QDesktopServices::openUrl(QUrl(kHomePageUrl));
}

// Centred on the main window, as a dialog with a parent is placed.
void TMainForm::showAboutBox() {
    AboutBox box(toQString(appTitle_), this);
    box.adjustSize();
    box.move(geometry().center() - box.rect().center());
    box.exec();
}

} // namespace fotoplex
