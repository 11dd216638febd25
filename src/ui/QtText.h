#pragma once

#include "base/TextEncoding.h"

#include <QString>
#include <string>

namespace fotoplex {

// Texts cross between the window and the core in the locale's 8-bit encoding. A text that is
// not valid UTF-8 comes from a project saved on Windows and is shown as Windows-1252.
inline std::string toText(const QString& text) {
    return text.toLocal8Bit().toStdString();
}
inline QString toQString(const std::string& text) {
    if (!isValidUtf8(text)) {
        return QString::fromStdString(utf8FromWindows1252(text));
    }
    return QString::fromLocal8Bit(text);
}

} // namespace fotoplex
