#pragma once

#include "ports/Dialogs.h"

#include <QPointer>
#include <QWidget>

class QFileDialog;

namespace fotoplex {

// The modal questions and file choosers of the desktop, owned by one window.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* owner = nullptr) : owner_(owner) {}

    void setOwner(QWidget* owner) { owner_ = owner; }

    Answer ask(const MessageRequest& request) override;
    std::optional<std::string> chooseFolder(const std::string& title,
                                            const std::string& startFolder) override;
    std::optional<std::string> openFile(const FileRequest& request) override;
    std::optional<std::string> saveFile(const FileRequest& request) override;

private:
    QPointer<QWidget> owner_;
};

// Gives a file dialog its filter list: each caption shown exactly as written, the files
// listed by its patterns ("*.*" is every file).
void setFileFilters(QFileDialog& dialog, const std::vector<FileFilter>& filters);

} // namespace fotoplex
