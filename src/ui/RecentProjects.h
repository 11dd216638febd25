#pragma once

#include <QString>
#include <QStringList>

namespace fotoplex {

// The projects most recently opened or saved, most recent first, kept in the user's
// configuration folder ($XDG_CONFIG_HOME/fotoplex/fotoplex.conf), never in a project. Read
// afresh on every use, so that two windows share one list.
class RecentProjects {
public:
    static constexpr int kMaxCount = 8;

    QStringList paths() const;
    // Puts a project first (its absolute path); an older place of it goes, the ninth goes.
    void remember(const QString& path);
    void forget(const QString& path);
    void clear();

    // The settings file, for messages and tests.
    static QString settingsFile();

private:
    void store(const QStringList& paths);
};

} // namespace fotoplex
