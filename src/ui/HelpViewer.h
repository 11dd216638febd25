#pragma once

#include <QDialog>
#include <QUrl>

class QTextBrowser;

namespace fotoplex {

// The user guide: HTML pages installed with the program (share/fotoplex/help), shown in a
// window of their own beside the main window. The guide is looked up once, at start-up.
class HelpViewer : public QDialog {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // Shows the page of a help context (1000 is the contents page).
    void showContext(int context);
    QUrl currentPage() const;

    static constexpr int kContentsContext = 1000;

private:
    QTextBrowser* browser_ = nullptr;
    QUrl guide_; // empty when the guide is missing
};

} // namespace fotoplex
