#include "base/VersionRequest.h"
#include "ui/MainForm.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    if (const auto status = fotoplex::AnswerVersionRequest("fotoplex", argc, argv)) {
        return *status;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName("Fotoplex");
    QApplication::setApplicationDisplayName("Fotoplex");
    fotoplex::TMainForm form;
    form.show();
    return QApplication::exec();
}
