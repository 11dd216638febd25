#include "ui/MainForm.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // The application title. It is deliberately not set as the display name as well: on X11
    // and Wayland Qt appends the display name to every window title.
    QApplication::setApplicationName(fotoplex::kApplicationTitle);
    fotoplex::TMainForm form;
    form.show();
    return QApplication::exec();
}
