#pragma once

#include "filelist/PictureChooser.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

class QFileDialog;

namespace fotoplex {

// The picture dialogs: a file dialog with a preview pane of the highlighted picture. Each
// kind of dialog, the source list's (several files) and the background image's (one file),
// is one dialog for the whole run, so that it keeps the user's filter and folder.
class QtPictureChooser : public PictureChooser {
public:
    explicit QtPictureChooser(QWidget* owner) : owner_(owner) {}
    ~QtPictureChooser() override;

    QtPictureChooser(const QtPictureChooser&) = delete;
    QtPictureChooser& operator=(const QtPictureChooser&) = delete;

    std::vector<std::string> choose(const PictureRequest& request) override;

private:
    struct KeptDialog {
        QPointer<QFileDialog> dialog;
        QStringList filterCaptions; // the filters it was given last
    };

    QFileDialog& prepare(KeptDialog& kept, const PictureRequest& request);

    QPointer<QWidget> owner_;
    KeptDialog several_;
    KeptDialog single_;
};

} // namespace fotoplex
