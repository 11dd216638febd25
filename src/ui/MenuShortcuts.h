#pragma once

#include <QObject>

class QMenuBar;

namespace fotoplex {

// Lets the main menu's shortcut keys come before a focused control's own use of the same
// keys: Ctrl+X in an edit is Exit, not Cut. A key that no enabled menu item carries keeps
// its usual meaning.
class MenuShortcutsFirst : public QObject {
    Q_OBJECT
public:
    explicit MenuShortcutsFirst(QMenuBar* menu);
    ~MenuShortcutsFirst() override;

    MenuShortcutsFirst(const MenuShortcutsFirst&) = delete;
    MenuShortcutsFirst& operator=(const MenuShortcutsFirst&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isMenuShortcut(const QKeySequence& key) const;

    QMenuBar* menu_;
};

} // namespace fotoplex
