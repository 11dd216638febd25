#include "ui/RecentProjects.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace fotoplex {

namespace {

constexpr const char* kKey = "RecentProjects/paths";

} // namespace

// The path is formed on each use (not Qt's per-process cache of the configuration folder),
// so that XDG_CONFIG_HOME is honoured as it stands.
QString RecentProjects::settingsFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           "/fotoplex/fotoplex.conf";
}

QStringList RecentProjects::paths() const {
    const QSettings settings(settingsFile(), QSettings::IniFormat);
    QStringList paths = settings.value(kKey).toStringList();
    paths.removeAll(QString());
    paths.removeDuplicates();
    return paths.mid(0, kMaxCount);
}

void RecentProjects::remember(const QString& path) {
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QStringList list = paths();
    list.removeAll(absolute);
    list.prepend(absolute);
    store(list.mid(0, kMaxCount));
}

void RecentProjects::forget(const QString& path) {
    QStringList list = paths();
    list.removeAll(path);
    store(list);
}

void RecentProjects::clear() {
    store({});
}

void RecentProjects::store(const QStringList& paths) {
    QSettings settings(settingsFile(), QSettings::IniFormat);
    settings.setValue(kKey, paths);
    settings.sync();
}

} // namespace fotoplex
