// The desktop's dialogs as the window shows them: message boxes answer Esc as the desktop
// does, past the key hook, and the project file dialogs show their filter captions exactly
// while listing files by the patterns.
#include "FileDialogProbe.h"
#include "base/ProgramState.h"
#include "ui/KeyHook.h"
#include "ui/QtDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace fotoplex;
using namespace fotoplex::testing;

Q_DECLARE_METATYPE(fotoplex::MessageButtons)
Q_DECLARE_METATYPE(fotoplex::Answer)

namespace {

// Runs `act` on the modal box or dialog once it is open. Whatever `act` leaves open is closed
// afterwards, so that a failing test never hangs; `closedByAct` tells whether it had to be.
template <typename Dialog> void whileOpen(std::function<void(Dialog&)> act, bool& closedByAct) {
    closedByAct = false;
    QTimer::singleShot(0, [act = std::move(act), &closedByAct] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            qWarning("no dialog opened");
            return;
        }
        act(*dialog);
        closedByAct = !dialog->isVisible();
        if (!closedByAct) {
            dialog->reject();
        }
    });
}

FileRequest projectRequest() {
    FileRequest request;
    request.title = "Open Project";
    request.filters = {{"HTML Gallery Project (*.hgp)", "*.hgp"}, {"All Files (*.*)", "*.*"}};
    request.defaultExtension = "hgp";
    return request;
}

} // namespace

class DesktopDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void escAnswersAMessageBoxAsTheDesktopDoes_data() {
        QTest::addColumn<MessageButtons>("buttons");
        QTest::addColumn<Answer>("defaultAnswer");
        QTest::addColumn<Answer>("expected");
        QTest::newRow("OK") << MessageButtons::Ok << Answer::Ok << Answer::Ok;
        QTest::newRow("OK, Cancel") << MessageButtons::OkCancel << Answer::Ok << Answer::Cancel;
        QTest::newRow("Yes, No") << MessageButtons::YesNo << Answer::Yes << Answer::No;
        QTest::newRow("Yes, No, Cancel")
            << MessageButtons::YesNoCancel << Answer::Cancel << Answer::Cancel;
        QTest::newRow("Yes, No, Cancel; Yes first")
            << MessageButtons::YesNoCancel << Answer::Yes << Answer::Cancel;
    }

    // The job's own question ("Do you want to cancel the job?", Yes and No) must not find 27
    // in LastKey again after Esc answered it.
    void escAnswersAMessageBoxAsTheDesktopDoes() {
        QFETCH(MessageButtons, buttons);
        QFETCH(Answer, defaultAnswer);
        QFETCH(Answer, expected);
        ProgramState state;
        KeyHook hook(state);
        QWidget owner;
        QtDialogs dialogs(&owner);
        bool closed = false;
        whileOpen<QMessageBox>(
            [](QMessageBox& box) {
                QWidget* focus = box.focusWidget();
                QTest::keyClick(focus ? focus : &box, Qt::Key_Escape);
            },
            closed);
        const Answer answer =
            dialogs.ask(MessageRequest{"Confirm", "Do you want to cancel the job?",
                                       MessageIcon::Question, buttons, defaultAnswer});
        QVERIFY2(closed, "Esc left the box open");
        QCOMPARE(answer, expected);
        QCOMPARE(state.lastKey, std::uint16_t(0));
    }

    void projectDialogsShowTheirFiltersExactly() {
        QtDialogs dialogs;
        for (const bool save : {false, true}) {
            ShownFilters shown;
            bool closed = false;
            whileOpen<QFileDialog>([&](QFileDialog& dialog) { shown = readFilters(dialog); },
                                   closed);
            const auto chosen =
                save ? dialogs.saveFile(projectRequest()) : dialogs.openFile(projectRequest());
            QVERIFY(!chosen);
            QCOMPARE(shown.captions,
                     QStringList({"HTML Gallery Project (*.hgp)", "All Files (*.*)"}));
            QCOMPARE(shown.patterns, QList<QStringList>({{"*.hgp"}, {"*"}}));
        }
    }

    void captionsWithoutOrWithOtherParenthesesStayAsWritten() {
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
        setFileFilters(
            dialog, {{"All Supported Image Formats", "*.jpg;*.png"},
                     {"Web Images (*.jpg; *.jpeg; *.gif; *.png)", "*.jpg;*.jpeg;*.jpe;*.gif;*.png"},
                     {"Odd (a) name", " *.x ; *.y "}});
        const ShownFilters shown = readFilters(dialog);
        QCOMPARE(shown.captions,
                 QStringList({"All Supported Image Formats",
                              "Web Images (*.jpg; *.jpeg; *.gif; *.png)", "Odd (a) name"}));
        QCOMPARE(shown.patterns, QList<QStringList>({{"*.jpg", "*.png"},
                                                     {"*.jpg", "*.jpeg", "*.jpe", "*.gif", "*.png"},
                                                     {"*.x", "*.y"}}));
    }
};

QTEST_MAIN(DesktopDialogsTest)
#include "test_desktop_dialogs.moc"
