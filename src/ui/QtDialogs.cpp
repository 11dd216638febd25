#include "ui/QtDialogs.h"

#include "ui/QtText.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace fotoplex {

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok:
        return QMessageBox::Ok;
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton boxButton(Answer answer) {
    switch (answer) {
    case Answer::Ok:
        return QMessageBox::Ok;
    case Answer::Cancel:
        return QMessageBox::Cancel;
    case Answer::Yes:
        return QMessageBox::Yes;
    case Answer::No:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

// Esc answers a box as the desktop does: Cancel where there is one, else No, else OK.
Answer escapeAnswer(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok:
        return Answer::Ok;
    case MessageButtons::YesNo:
        return Answer::No;
    case MessageButtons::OkCancel:
    case MessageButtons::YesNoCancel:
        break;
    }
    return Answer::Cancel;
}

// A box closed without a button counts as its most cautious answer.
Answer answerOf(int button, MessageButtons buttons) {
    switch (button) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        break;
    }
    return buttons == MessageButtons::YesNo ? Answer::No : Answer::Cancel;
}

QString patternsOf(const std::string& patterns) {
    QStringList list = toQString(patterns).split(';', Qt::SkipEmptyParts);
    for (QString& pattern : list) {
        pattern = pattern.trimmed();
        if (pattern == "*.*") {
            pattern = "*";
        }
    }
    return list.join(' ');
}

QString startPath(const FileRequest& request) {
    if (request.fileName.empty()) {
        return toQString(request.folder);
    }
    if (request.folder.empty()) {
        return toQString(request.fileName);
    }
    return toQString(request.folder) + '/' + toQString(request.fileName);
}

} // namespace

// Qt takes a filter's patterns from the last parentheses of its line and, with the details
// hidden, shows the rest of the line: the caption as written, even one that names its own
// patterns ("All Files (*.*)") or none ("All Supported Image Formats").
void setFileFilters(QFileDialog& dialog, const std::vector<FileFilter>& filters) {
    QStringList lines;
    for (const FileFilter& filter : filters) {
        lines << toQString(filter.caption) + " (" + patternsOf(filter.patterns) + ")";
    }
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setNameFilters(lines);
}

Answer QtDialogs::ask(const MessageRequest& request) {
    QMessageBox box(boxIcon(request.icon), toQString(request.caption), toQString(request.text),
                    boxButtons(request.buttons), owner_);
    box.setDefaultButton(boxButton(request.defaultAnswer));
    box.setEscapeButton(boxButton(escapeAnswer(request.buttons)));
    return answerOf(box.exec(), request.buttons);
}

std::optional<std::string> QtDialogs::chooseFolder(const std::string& title,
                                                   const std::string& startFolder) {
    const QString folder =
        QFileDialog::getExistingDirectory(owner_, toQString(title), toQString(startFolder));
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    return toText(folder);
}

std::optional<std::string> QtDialogs::openFile(const FileRequest& request) {
    QFileDialog dialog(owner_, toQString(request.title), startPath(request));
    setFileFilters(dialog, request.filters);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return toText(dialog.selectedFiles().first());
}

std::optional<std::string> QtDialogs::saveFile(const FileRequest& request) {
    QFileDialog dialog(owner_, toQString(request.title), startPath(request));
    setFileFilters(dialog, request.filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(toQString(request.defaultExtension));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return toText(dialog.selectedFiles().first());
}

} // namespace fotoplex
