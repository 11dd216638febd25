#pragma once

#include <QObject>
#include <functional>
#include <string>
#include <vector>

class QDropEvent;
class QMimeData;

namespace fotoplex {

// What the window does with dropped files; each runs after the drop has ended (queued),
// so that its questions never hold up the program the files came from.
struct DropActions {
    std::function<void(const std::string& projectPath)> openProject;
    std::function<void(const std::vector<std::string>& paths)> addFiles;
    std::function<void(bool shown)> showIndicator;
    std::function<bool()> locked; // a running job takes nothing
};

// Files and folders dragged onto the window (text/uri-list, from a file manager): a project
// file (.hgp) anywhere opens it; on the Files page, files and folders are added to the list.
// Rows dragged from the program's own list change nothing when dropped back. Watches the
// drag events of every widget of the window, so that edits (which take dropped text) and
// other controls do not swallow the files.
class FileDrops : public QObject {
    Q_OBJECT
public:
    FileDrops(QWidget* window, QWidget* filesPage, DropActions actions);
    ~FileDrops() override;

    FileDrops(const FileDrops&) = delete;
    FileDrops& operator=(const FileDrops&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Kind { None, Project, Files, OwnRows };
    Kind kindOf(const QWidget* target, const QMimeData* data) const;
    void drop(Kind kind, const QMimeData* data);

    QWidget* window_;
    QWidget* filesPage_;
    DropActions actions_;
};

// The local files a drag carries, in its order.
std::vector<std::string> droppedLocalPaths(const QMimeData* data);

} // namespace fotoplex
