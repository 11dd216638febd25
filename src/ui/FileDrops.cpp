#include "ui/FileDrops.h"

#include "ui/ClickableWidgets.h"
#include "ui/QtText.h"

#include <QApplication>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace fotoplex {

namespace {

bool isProjectFile(const std::string& path) {
    const QFileInfo file(toQString(path));
    return file.suffix().compare("hgp", Qt::CaseInsensitive) == 0 && file.isFile();
}

const std::string* firstProject(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        if (isProjectFile(path)) {
            return &path;
        }
    }
    return nullptr;
}

bool isDragEvent(QEvent::Type type) {
    return type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop ||
           type == QEvent::DragLeave;
}

} // namespace

std::vector<std::string> droppedLocalPaths(const QMimeData* data) {
    std::vector<std::string> paths;
    if (!data || !data->hasUrls()) {
        return paths;
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            paths.push_back(toText(url.toLocalFile()));
        }
    }
    return paths;
}

FileDrops::FileDrops(QWidget* window, QWidget* filesPage, DropActions actions)
    : QObject(window), window_(window), filesPage_(filesPage), actions_(std::move(actions)) {
    // Widgets that take no drops of their own hand them to these two.
    window_->setAcceptDrops(true);
    filesPage_->setAcceptDrops(true);
    qApp->installEventFilter(this);
}

FileDrops::~FileDrops() {
    qApp->removeEventFilter(this);
}

FileDrops::Kind FileDrops::kindOf(const QWidget* target, const QMimeData* data) const {
    const std::vector<std::string> paths = droppedLocalPaths(data);
    if (paths.empty() || (actions_.locked && actions_.locked())) {
        return Kind::None;
    }
    if (firstProject(paths)) {
        return Kind::Project;
    }
    if (target != filesPage_ && !filesPage_->isAncestorOf(target)) {
        return Kind::None;
    }
    if (data->data(ClickableListBox::kOwnRowsFormat) == ownRowsMark()) {
        return Kind::OwnRows;
    }
    return Kind::Files;
}

bool FileDrops::eventFilter(QObject* watched, QEvent* event) {
    if (!isDragEvent(event->type()) || !watched->isWidgetType()) {
        return false;
    }
    auto* target = static_cast<QWidget*>(watched);
    if (target->window() != window_) {
        return false;
    }
    if (event->type() == QEvent::DragLeave) {
        actions_.showIndicator(false);
        return false;
    }
    auto* drag = static_cast<QDropEvent*>(event);
    const Kind kind = kindOf(target, drag->mimeData());
    if (kind == Kind::None) {
        actions_.showIndicator(false);
        return false; // the widget's own handling (an edit takes text)
    }
    if (event->type() == QEvent::Drop) {
        actions_.showIndicator(false);
        if (kind == Kind::OwnRows) {
            drag->ignore();
            return true;
        }
        drag->setDropAction(Qt::CopyAction);
        drag->accept();
        drop(kind, drag->mimeData());
        return true;
    }
    actions_.showIndicator(kind == Kind::Files);
    if (kind == Kind::OwnRows) {
        drag->ignore();
        return true;
    }
    drag->setDropAction(Qt::CopyAction);
    drag->accept();
    return true;
}

void FileDrops::drop(Kind kind, const QMimeData* data) {
    const std::vector<std::string> paths = droppedLocalPaths(data);
    if (kind == Kind::Project) {
        const std::string project = *firstProject(paths);
        QMetaObject::invokeMethod(
            window_, [open = actions_.openProject, project] { open(project); },
            Qt::QueuedConnection);
    } else {
        QMetaObject::invokeMethod(
            window_, [add = actions_.addFiles, paths] { add(paths); }, Qt::QueuedConnection);
    }
}

} // namespace fotoplex
