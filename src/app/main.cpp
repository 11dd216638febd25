#include "base/VersionRequest.h"
#include "project/TProject.h"
#include "ui/CommandLineProject.h"
#include "ui/MainForm.h"

#include <QApplication>
#include <QIcon>
#include <QLoggingCategory>
#include <string>
#include <vector>

Q_LOGGING_CATEGORY(lcStartup, "fotoplex.startup", QtWarningMsg)

int main(int argc, char* argv[]) {
    if (const auto status = fotoplex::AnswerVersionRequest("fotoplex", argc, argv)) {
        return *status;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName("Fotoplex");
    QApplication::setApplicationDisplayName("Fotoplex");
    // The menu entry's id and icon name: installed, the icon theme has it.
    QGuiApplication::setDesktopFileName("com.quorvane.Fotoplex");
    QApplication::setWindowIcon(QIcon::fromTheme("com.quorvane.Fotoplex"));
    fotoplex::TMainForm form;
    form.show();
    // Qt has taken its own options out of argv; a project named there opens after start-up,
    // as File > Open would open it.
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (const auto project = fotoplex::projectToOpen(arguments)) {
        form.runCommand([&] { form.openProjectFile(*project); });
        if (form.project().FileName.str() == *project) {
            qCInfo(lcStartup, "opened %s", project->c_str());
        }
    }
    return QApplication::exec();
}
