// The web colour dialog's window, driven through its buttons without waiting on it.
#include "ui/webcolor/CustomColor.h"
#include "ui/webcolor/PaletteView.h"
#include "ui/webcolor/TWebColorDialog.h"
#include "ui/webcolor/TWebColorForm.h"
#include "ui/webcolor/WebPalette.h"

#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <optional>

using namespace fotoplex;
namespace wp = fotoplex::webpalette;

namespace {

constexpr int kRedCell = 175 + 8; // #FF0000, row 14
constexpr int kBlackCell = 224;

template <typename T> T* child(QWidget* parent, const char* name) {
    T* found = parent->findChild<T*>(QLatin1String(name));
    if (found == nullptr) {
        qFatal("no control named %s", name);
    }
    return found;
}

QPoint centreOf(int cell) {
    const wp::Rect box = wp::cellBounds(cell);
    return {box.left + box.width / 2, box.top + box.height / 2};
}

WebRgb swatchColor(TWebColorForm* form, const char* name) {
    return child<QFrame>(form, name)->palette().color(QPalette::Window).rgb() & 0xFFFFFF;
}

QString valueText(TWebColorForm* form) {
    return child<QLineEdit>(form, "ValueEdit")->text();
}

void click(TWebColorForm* form, const char* button) {
    QTest::mouseClick(child<QAbstractButton>(form, button), Qt::LeftButton);
}

void pressCell(TWebColorForm* form, int cell) {
    QTest::mousePress(form->palette(), Qt::LeftButton, {}, centreOf(cell));
}

// A dialog with an owner window, opened without waiting; the result lands in `result`.
struct OpenDialog {
    QWidget owner;
    TWebColorDialog dialog{&owner};
    std::optional<bool> result;

    OpenDialog() {
        owner.resize(676, 430);
        owner.show();
    }
    TWebColorForm* open() {
        result.reset();
        dialog.Open([this](bool accepted) { result = accepted; });
        return dialog.form();
    }
};

} // namespace

class TestWebColorDialog : public QObject {
    Q_OBJECT

private slots:
    // Qt keeps its colour dialog's custom colours in its own settings file; not the user's.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void opensOnItsOwnColour() {
        OpenDialog test;
        QCOMPARE(test.dialog.Caption(), QStringLiteral("Colors"));
        QCOMPARE(test.dialog.Color(), WebRgb{0x000000});
        QVERIFY(test.dialog.form() == nullptr);
        test.dialog.setCaption(QStringLiteral("Border Color"));
        TWebColorForm* form = test.open();
        QVERIFY(form != nullptr);
        QVERIFY(form->isVisible());
        QCOMPARE(form->windowTitle(), QStringLiteral("Border Color"));
        QCOMPARE(form->size(), QSize(472, 352));
        const QPoint offCentre =
            form->frameGeometry().center() - test.owner.frameGeometry().center();
        QVERIFY2(offCentre.manhattanLength() <= 2, "centred on the owner");
        QCOMPARE(swatchColor(form, "CurrentSwatch"), WebRgb{0x000000});
        QCOMPARE(swatchColor(form, "NewSwatch"), WebRgb{0x000000});
        QCOMPARE(valueText(form), QStringLiteral("#000000"));
        QCOMPARE(form->palette()->framedCell(), kBlackCell);
        QVERIFY(child<QPushButton>(form, "OkBtn")->isDefault());
        QCOMPARE(child<QLabel>(form, "CurrentLabel")->text(), QStringLiteral("Current:"));
        QCOMPARE(child<QLabel>(form, "NewLabel")->text(), QStringLiteral("New:"));
        QCOMPARE(child<QGroupBox>(form, "SchemeGroup")->title(), QStringLiteral(" Sch&eme: "));
        QCOMPARE(child<QRadioButton>(form, "HexRadio")->text(), QStringLiteral("Hex"));
        QCOMPARE(child<QRadioButton>(form, "RgbRadio")->text(), QStringLiteral("RGB"));
        QCOMPARE(child<QLabel>(form, "ValueLabel")->text(), QStringLiteral("&Value:"));
        QCOMPARE(child<QLabel>(form, "ValueLabel")->buddy(), child<QWidget>(form, "ValueEdit"));
        QCOMPARE(child<QPushButton>(form, "SelectBtn")->text(), QStringLiteral("&Select ..."));
        QCOMPARE(child<QPushButton>(form, "CustomBtn")->text(), QStringLiteral("&Custom ..."));
        QCOMPARE(child<QPushButton>(form, "OkBtn")->text(), QStringLiteral("OK"));
        QCOMPARE(child<QPushButton>(form, "ApplyBtn")->text(), QStringLiteral("Apply"));
        QCOMPARE(child<QPushButton>(form, "CancelBtn")->text(), QStringLiteral("Cancel"));
        QVERIFY(child<QLineEdit>(form, "ValueEdit")->isReadOnly());
        // Every control sits inside the client area.
        for (QWidget* widget : form->findChildren<QWidget*>()) {
            if (widget->parentWidget() == form && !widget->isWindow()) {
                QVERIFY2(form->rect().contains(widget->geometry()),
                         qPrintable(widget->objectName()));
            }
        }
    }

    void aCellBecomesTheNewColour() {
        OpenDialog test;
        TWebColorForm* form = test.open();
        pressCell(form, kRedCell);
        QCOMPARE(form->newColor(), WebRgb{0xFF0000});
        QCOMPARE(swatchColor(form, "NewSwatch"), WebRgb{0xFF0000});
        QCOMPARE(swatchColor(form, "CurrentSwatch"), WebRgb{0x000000});
        QCOMPARE(valueText(form), QStringLiteral("#FF0000"));
        QCOMPARE(form->palette()->framedCell(), kRedCell);
        // A press between cells changes nothing.
        QTest::mousePress(form->palette(), Qt::LeftButton, {}, QPoint(1, 1));
        QCOMPARE(form->newColor(), WebRgb{0xFF0000});
        QCOMPARE(form->palette()->framedCell(), kRedCell);
        // The second #0066CC keeps the frame, although the first has the same colour.
        pressCell(form, 24);
        QCOMPARE(form->newColor(), WebRgb{0x0066CC});
        QCOMPARE(form->palette()->framedCell(), 24);
    }

    void okAcceptsCancelAndCloseDoNot() {
        OpenDialog test;
        TWebColorForm* form = test.open();
        pressCell(form, kRedCell);
        click(form, "CancelBtn");
        QCOMPARE(test.result, std::optional<bool>(false));
        QVERIFY(!form->isVisible());
        QCOMPARE(test.dialog.Color(), WebRgb{0x000000});

        test.open();
        pressCell(form, kRedCell);
        form->close();
        QCOMPARE(test.result, std::optional<bool>(false));
        QCOMPARE(test.dialog.Color(), WebRgb{0x000000});

        QCOMPARE(test.open(), form); // the window is kept
        pressCell(form, kRedCell);
        click(form, "OkBtn");
        QCOMPARE(test.result, std::optional<bool>(true));
        QCOMPARE(test.dialog.Color(), WebRgb{0xFF0000});
        QCOMPARE(test.dialog.WebColor(), std::string("#FF0000"));
    }

    void schemeRewritesTheValue() {
        OpenDialog test;
        TWebColorForm* form = test.open();
        pressCell(form, 0); // #99CCCC
        click(form, "RgbRadio");
        QCOMPARE(valueText(form), QStringLiteral("RGB(153,204,204)"));
        QCOMPARE(test.dialog.colorScheme(), ColorScheme::scRGB);
        pressCell(form, kRedCell);
        QCOMPARE(valueText(form), QStringLiteral("RGB(255,0,0)"));
        click(form, "OkBtn");
        QCOMPARE(test.dialog.WebColor(), std::string("RGB(255,0,0)"));
        // The scheme lasts to the next opening, until someone resets it.
        test.open();
        QVERIFY(child<QRadioButton>(form, "RgbRadio")->isChecked());
        QCOMPARE(valueText(form), QStringLiteral("RGB(255,0,0)"));
        test.dialog.setColorScheme(ColorScheme::scHex);
        QVERIFY(child<QRadioButton>(form, "HexRadio")->isChecked());
        QCOMPARE(valueText(form), QStringLiteral("#FF0000"));
        click(form, "HexRadio");
        QCOMPARE(test.dialog.colorScheme(), ColorScheme::scHex);
        click(form, "CancelBtn");
    }

    void applyKeepsTheDialogOpen() {
        OpenDialog test;
        int applied = 0;
        WebRgb colorWhenApplied = 0x123456;
        test.dialog.OnApply = [&] {
            ++applied;
            colorWhenApplied = test.dialog.Color();
        };
        TWebColorForm* form = test.open();
        pressCell(form, kRedCell);
        click(form, "ApplyBtn");
        QCOMPARE(applied, 1);
        QCOMPARE(colorWhenApplied, WebRgb{0xFF0000});
        QCOMPARE(swatchColor(form, "CurrentSwatch"), WebRgb{0xFF0000});
        QVERIFY(form->isVisible());
        QVERIFY(!test.result.has_value());
        pressCell(form, 0);
        click(form, "CancelBtn");
        QCOMPARE(test.result, std::optional<bool>(false));
        QCOMPARE(test.dialog.Color(), WebRgb{0xFF0000}); // what was applied stays
        test.open();
        QCOMPARE(swatchColor(form, "CurrentSwatch"), WebRgb{0xFF0000});
        QCOMPARE(form->palette()->framedCell(), kRedCell);
        click(form, "CancelBtn");
    }

    void openingMovesTheFrameByTheRules() {
        OpenDialog test;
        TWebColorForm* form = test.open();
        pressCell(form, 24); // the second #0066CC
        click(form, "OkBtn");
        test.open();
        QCOMPARE(form->palette()->framedCell(), 24);
        pressCell(form, 108);
        click(form, "OkBtn");
        test.open();
        QCOMPARE(form->palette()->framedCell(), 108);
        click(form, "CancelBtn");
        test.dialog.setColor(0x0066CC); // the last framed cell is white now: the first match
        test.open();
        QCOMPARE(form->palette()->framedCell(), 16);
        click(form, "CancelBtn");
        test.dialog.setColor(0x010203);
        test.open();
        QCOMPARE(form->palette()->framedCell(), wp::kNoCell);
        click(form, "CancelBtn");
    }

    void pipetteFollowsThePointerUntilAClick() {
        OpenDialog test;
        WebRgb underPointer = 0x123456; // in no cell
        int samples = 0;
        test.dialog.setScreenSampler([&](QPoint) -> std::optional<WebRgb> {
            ++samples;
            return underPointer;
        });
        TWebColorForm* form = test.open();
        pressCell(form, kRedCell);
        click(form, "SelectBtn");
        QVERIFY(form->screenPicker().isPicking());
        QCOMPARE(form->newColor(), WebRgb{0x123456});
        QCOMPARE(form->palette()->framedCell(), wp::kNoCell);
        QCOMPARE(valueText(form), QStringLiteral("#123456"));
        underPointer = 0xFF0000;
        QTRY_COMPARE_WITH_TIMEOUT(form->newColor(), WebRgb{0xFF0000}, 2000);
        QCOMPARE(form->palette()->framedCell(), kRedCell);
        QTRY_VERIFY_WITH_TIMEOUT(samples >= 4, 2000);
        underPointer = 0x654321;
        // The ending click is taken by the pipette: it presses no cell and no button.
        QTest::mousePress(form, Qt::LeftButton, {},
                          form->palette()->geometry().topLeft() + centreOf(108));
        QVERIFY(!form->screenPicker().isPicking());
        QCOMPARE(form->newColor(), WebRgb{0x654321});
        QCOMPARE(form->palette()->framedCell(), wp::kNoCell);
        const int samplesAtEnd = samples;
        underPointer = 0x00FF00;
        QTest::qWait(50);
        QCOMPARE(samples, samplesAtEnd);
        QCOMPARE(form->newColor(), WebRgb{0x654321});
        QVERIFY(form->isVisible());
        click(form, "OkBtn");
        QCOMPARE(test.dialog.Color(), WebRgb{0x654321});
    }

    void pipetteStopsWhenTheDialogCloses() {
        OpenDialog test;
        test.dialog.setScreenSampler([](QPoint) -> std::optional<WebRgb> { return 0x111111; });
        TWebColorForm* form = test.open();
        click(form, "SelectBtn");
        QVERIFY(form->screenPicker().isPicking());
        form->reject();
        QVERIFY(!form->screenPicker().isPicking());
        QCOMPARE(test.dialog.Color(), WebRgb{0x000000});
    }

    void pipetteExplainsAScreenItCannotRead() {
        if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
            QSKIP("this display can be read");
        }
        OpenDialog test;
        TWebColorForm* form = test.open();
        pressCell(form, kRedCell);
        click(form, "SelectBtn"); // the offscreen platform has no screen to read
        QVERIFY(!form->screenPicker().isPicking());
        const QString message = child<QLabel>(form, "MessageLabel")->text();
        QVERIFY2(message.contains(QStringLiteral("cannot be read from the screen")),
                 qPrintable(message));
        QVERIFY(message.contains(QStringLiteral("offscreen")));
        QCOMPARE(form->newColor(), WebRgb{0xFF0000});
        click(form, "CancelBtn");
        test.open();
        QVERIFY(child<QLabel>(form, "MessageLabel")->text().isEmpty());
        click(form, "CancelBtn");
    }

    // A screen that stops being readable while picking (a locked or vanished display).
    void pipetteStopsWhenTheScreenFails() {
        OpenDialog test;
        bool readable = true;
        test.dialog.setScreenSampler([&](QPoint) -> std::optional<WebRgb> {
            if (!readable) {
                return std::nullopt;
            }
            return 0x336699;
        });
        TWebColorForm* form = test.open();
        click(form, "SelectBtn");
        QVERIFY(form->screenPicker().isPicking());
        QCOMPARE(form->newColor(), WebRgb{0x336699});
        readable = false;
        QTRY_VERIFY_WITH_TIMEOUT(!form->screenPicker().isPicking(), 2000);
        QVERIFY(!child<QLabel>(form, "MessageLabel")->text().isEmpty());
        QCOMPARE(form->newColor(), WebRgb{0x336699});
        QVERIFY(form->isVisible());
        // The next press is an ordinary one again.
        pressCell(form, kRedCell);
        QCOMPARE(form->newColor(), WebRgb{0xFF0000});
        click(form, "CancelBtn");
    }

    void customStartsFromTheNewColour() {
        OpenDialog test;
        std::optional<WebRgb> answer = 0x0A0B0C;
        std::optional<WebRgb> askedWith;
        test.dialog.setCustomColorPicker([&](WebRgb initial, QWidget*) {
            askedWith = initial;
            return answer;
        });
        TWebColorForm* form = test.open();
        pressCell(form, kRedCell);
        click(form, "CustomBtn");
        QCOMPARE(askedWith, std::optional<WebRgb>(0xFF0000));
        QCOMPARE(form->newColor(), WebRgb{0x0A0B0C});
        QCOMPARE(form->palette()->framedCell(), wp::kNoCell);
        answer = 0xFFFFFF;
        click(form, "CustomBtn");
        QCOMPARE(askedWith, std::optional<WebRgb>(0x0A0B0C));
        QCOMPARE(form->palette()->framedCell(), 108);
        answer.reset(); // Cancel there
        click(form, "CustomBtn");
        QCOMPARE(form->newColor(), WebRgb{0xFFFFFF});
        click(form, "OkBtn");
        QCOMPARE(test.dialog.Color(), WebRgb{0xFFFFFF});
    }

    void customDialogIsPresetAndForgetsCustomColours() {
        QColorDialog::setCustomColor(3, QColor(0x12, 0x34, 0x56));
        const std::unique_ptr<QColorDialog> dialog = makeCustomColorDialog(0xCC6633, nullptr);
        QCOMPARE(dialog->currentColor(), QColor(0xCC, 0x66, 0x33));
        for (int index = 0; index < QColorDialog::customCount(); ++index) {
            QCOMPARE(QColorDialog::customColor(index), QColor(Qt::white));
        }
    }

    void paintsTheHoneycombAndTheFrame() {
        OpenDialog test;
        TWebColorForm* form = test.open();
        pressCell(form, 108);
        QImage image = form->palette()->grab().toImage();
        QCOMPARE(image.size(), QSize(wp::kWidth, wp::kHeight));
        for (int cell = 0; cell < wp::kCellCount; ++cell) {
            const QPoint centre = centreOf(cell);
            QCOMPARE(image.pixel(centre) & 0xFFFFFF, wp::colors()[cell]);
        }
        const wp::Rect centre = wp::cellBounds(108);
        const int middle = centre.top + 10;
        QCOMPARE(image.pixel(centre.left, middle) & 0xFFFFFF, 0x000000u);
        QCOMPARE(image.pixel(centre.left + 1, middle) & 0xFFFFFF, 0x000000u);
        QCOMPARE(image.pixel(centre.left + 2, middle) & 0xFFFFFF, 0xFFFFFFu);
        QCOMPARE(image.pixel(centre.left + 17, middle) & 0xFFFFFF, 0x000000u);
        QCOMPARE(image.pixel(centre.left - 1, middle) & 0xFFFFFF, wp::colors()[107]);

        pressCell(form, kRedCell);
        image = form->palette()->grab().toImage();
        const wp::Rect red = wp::cellBounds(kRedCell);
        QCOMPARE(image.pixel(red.left + 1, red.top + 10) & 0xFFFFFF, 0xFFFFFFu);
        QCOMPARE(image.pixel(red.left + 2, red.top + 10) & 0xFFFFFF, 0xFF0000u);
        QCOMPARE(image.pixel(centre.left, middle) & 0xFFFFFF, 0xFFFFFFu); // frame gone

        pressCell(form, 217);
        image = form->palette()->grab().toImage();
        const wp::Rect white = wp::cellBounds(217);
        QCOMPARE(image.pixel(white.left + 1, white.top + 1) & 0xFFFFFF, 0x000000u);
        QCOMPARE(image.pixel(white.left + 2, white.top + 2) & 0xFFFFFF, 0xFFFFFFu);
        click(form, "CancelBtn");
    }

    void executeWaitsForTheAnswer() {
        OpenDialog test;
        bool scripted = false;
        QTimer::singleShot(0, [&] {
            TWebColorForm* form = test.dialog.form();
            QVERIFY(form != nullptr && form->isVisible());
            pressCell(form, kRedCell);
            click(form, "OkBtn");
            scripted = true;
        });
        // Should the script not run, the dialog is closed rather than left waiting.
        QTimer::singleShot(5000, [&] {
            if (test.dialog.form() != nullptr) {
                test.dialog.form()->reject();
            }
        });
        QVERIFY(test.dialog.Execute());
        QVERIFY(scripted);
        QCOMPARE(test.dialog.Color(), WebRgb{0xFF0000});
        QVERIFY(!test.dialog.isOpen());
    }
};

QTEST_MAIN(TestWebColorDialog)
#include "test_webcolor_dialog.moc"
