#include "ui/QtJobWindow.h"

#include "ui/MainForm.h"

#include <QApplication>
#include <QCursor>

namespace fotoplex {

namespace {
constexpr int kBuildPage = 5;
} // namespace

// A job that ends by an error must not leave the busy cursor behind.
QtJobWindow::~QtJobWindow() {
    setBusy(false);
}

void QtJobWindow::setStatus(int panel, const std::string& text) {
    form_.setStatusText(panel, text);
}

void QtJobWindow::setProgressMaximum(int maximum) {
    form_.setProgressMaximum(maximum);
}

void QtJobWindow::setProgress(int position) {
    form_.setProgress(position);
}

void QtJobWindow::setBusy(bool busy) {
    if (busy == busy_) {
        return;
    }
    busy_ = busy;
    if (busy) {
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void QtJobWindow::processEvents() {
    QApplication::processEvents(QEventLoop::AllEvents);
}

void QtJobWindow::removeFileRow(int index) {
    form_.removeFileRow(index);
}

void QtJobWindow::lockWindow() {
    form_.LockWindow();
}

void QtJobWindow::unlockWindow() {
    form_.UnlockWindow();
}

void QtJobWindow::showBuildPage() {
    form_.showDesignPage(kBuildPage);
}

void QtJobWindow::openDocument(const std::string& path) {
    form_.openDocument(path);
}

} // namespace fotoplex
