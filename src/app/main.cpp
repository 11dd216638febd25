#include "ui/MainForm.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Fotoplex");
    QApplication::setApplicationDisplayName("Fotoplex");
    fotoplex::TMainForm form;
    form.show();
    return QApplication::exec();
}
