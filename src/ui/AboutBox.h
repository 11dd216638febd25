#pragma once

#include <QDialog>

namespace fotoplex {

// The About box: the program's name and version, and a Close button.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    AboutBox(const QString& appTitle, QWidget* parent);
};

} // namespace fotoplex
