#include "ui/MenuShortcuts.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

namespace fotoplex {

MenuShortcutsFirst::MenuShortcutsFirst(QMenuBar* menu) : QObject(menu), menu_(menu) {
    qApp->installEventFilter(this);
}

MenuShortcutsFirst::~MenuShortcutsFirst() {
    if (qApp) {
        qApp->removeEventFilter(this);
    }
}

// Before a key press reaches the shortcuts, the focused control is asked whether it wants
// the key itself. For the menu's own keys in the menu's window the answer is no.
bool MenuShortcutsFirst::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType()) {
        return false;
    }
    const auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != menu_->window()) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (!isMenuShortcut(QKeySequence(key->keyCombination()))) {
        return false;
    }
    key->ignore();
    return true;
}

// An item counts only while it can be used: a locked window's menus keep their keys.
bool MenuShortcutsFirst::isMenuShortcut(const QKeySequence& key) const {
    for (QAction* top : menu_->actions()) {
        QMenu* menu = top->menu();
        if (!menu || !top->isEnabled() || !menu->isEnabled()) {
            continue;
        }
        for (const QAction* item : menu->findChildren<QAction*>()) {
            if (item->isEnabled() && item->shortcut() == key) {
                return true;
            }
        }
    }
    return false;
}

} // namespace fotoplex
