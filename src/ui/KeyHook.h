#pragma once

#include <QObject>
#include <cstdint>

namespace fotoplex {

struct ProgramState;

// Sees every key press of the program's windows that no menu shortcut has taken, records
// its code in LastKey and swallows Esc, so that a running job can offer to cancel. Message
// boxes and file choosers are the desktop's dialogs: their keys are left alone.
class KeyHook : public QObject {
    Q_OBJECT
public:
    explicit KeyHook(ProgramState& state, QObject* parent = nullptr);
    ~KeyHook() override;

    KeyHook(const KeyHook&) = delete;
    KeyHook& operator=(const KeyHook&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ProgramState& state_;
};

// The 16-bit key code of a Qt key, as the jobs know them (27 is Esc, letters are their
// upper-case character codes, F1 is 112).
std::uint16_t keyCode(int qtKey);

} // namespace fotoplex
