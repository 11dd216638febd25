#pragma once

#include <QString>
#include <string>

namespace fotoplex {

// Texts cross between the window and the core in the locale's 8-bit encoding.
inline std::string toText(const QString& text) {
    return text.toLocal8Bit().toStdString();
}
inline QString toQString(const std::string& text) {
    return QString::fromLocal8Bit(text);
}

} // namespace fotoplex
