#include "ui/KeyHook.h"

#include "base/ProgramState.h"

#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QWidget>

namespace fotoplex {

namespace {

// Message boxes and the file and folder choosers stand for the desktop's own dialogs, not
// the program's windows: their keys keep their meaning (Esc answers a box) and are not
// recorded, so that Esc in a job's question does not ask again at the next file.
bool inPlatformDialog(QObject* watched) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget) {
        return false;
    }
    QWidget* window = widget->window();
    return qobject_cast<QMessageBox*>(window) || qobject_cast<QFileDialog*>(window);
}

} // namespace

KeyHook::KeyHook(ProgramState& state, QObject* parent) : QObject(parent), state_(state) {
    qApp->installEventFilter(this);
}

KeyHook::~KeyHook() {
    if (qApp) {
        qApp->removeEventFilter(this);
    }
}

bool KeyHook::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType() ||
        inPlatformDialog(watched)) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const std::uint16_t code = keyCode(key->key());
    if (code == 0) {
        return false;
    }
    state_.lastKey = code;
    return code == kEscapeKey;
}

std::uint16_t keyCode(int qtKey) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
        return static_cast<std::uint16_t>('A' + (qtKey - Qt::Key_A));
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return static_cast<std::uint16_t>('0' + (qtKey - Qt::Key_0));
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return static_cast<std::uint16_t>(112 + (qtKey - Qt::Key_F1));
    }
    switch (qtKey) {
    case Qt::Key_Escape:
        return kEscapeKey;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Pause:
        return 19;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    default:
        break;
    }
    // Other printable keys keep their character code when it fits.
    return qtKey > 0 && qtKey < 0x10000 ? static_cast<std::uint16_t>(qtKey) : 0;
}

} // namespace fotoplex
