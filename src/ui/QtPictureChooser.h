#pragma once

#include "filelist/PictureChooser.h"

#include <QPointer>
#include <QWidget>

namespace fotoplex {

// The picture dialogs: a file dialog with a preview pane of the highlighted picture.
class QtPictureChooser : public PictureChooser {
public:
    explicit QtPictureChooser(QWidget* owner) : owner_(owner) {}

    std::vector<std::string> choose(const PictureRequest& request) override;

private:
    QPointer<QWidget> owner_;
};

} // namespace fotoplex
