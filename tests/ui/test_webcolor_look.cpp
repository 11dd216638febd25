// How the colour dialog looks, and its pipette on a real X display.
//   FOTOPLEX_SCREENSHOT=out.png  saves the dialog as drawn;
//   FOTOPLEX_SHOW_MS=3000        keeps it on screen that long (for a screen capture).
// The pipette test runs only on X11 (for example under xvfb-run); offscreen it is skipped.
#include "ui/webcolor/PaletteView.h"
#include "ui/webcolor/TWebColorDialog.h"
#include "ui/webcolor/TWebColorForm.h"
#include "ui/webcolor/WebPalette.h"

#include <QCursor>
#include <QGuiApplication>
#include <QTest>

using namespace fotoplex;
namespace wp = fotoplex::webpalette;

namespace {

QPoint centreOf(int cell) {
    const wp::Rect box = wp::cellBounds(cell);
    return {box.left + box.width / 2, box.top + box.height / 2};
}

} // namespace

class TestWebColorLook : public QObject {
    Q_OBJECT

private slots:
    void drawsTheWholeDialog() {
        QWidget owner;
        owner.resize(676, 430);
        owner.show();
        TWebColorDialog dialog(&owner);
        dialog.setCaption(QStringLiteral("Border Color"));
        dialog.setColor(0x3366CC);
        dialog.Open([](bool) {});
        TWebColorForm* form = dialog.form();
        QTest::mousePress(form->palette(), Qt::LeftButton, {}, centreOf(108));
        QVERIFY(QTest::qWaitForWindowExposed(form));

        const QImage image = form->grab().toImage();
        QCOMPARE(image.size() / image.devicePixelRatio(), QSize(472, 352));
        const QPoint origin = form->palette()->pos();
        for (const int cell : {0, 8, 100, 116, 200, 216, 217, 224}) {
            QCOMPARE(image.pixel(origin + centreOf(cell)) & 0xFFFFFF, wp::colors()[cell]);
        }
        // Between the hexagons of the first row's corners the dialog's own background shows.
        const QRgb background = image.pixel(origin + QPoint(1, 1)) & 0xFFFFFF;
        QVERIFY(background != wp::colors()[0] && background != wp::colors()[100]);

        const QByteArray screenshot = qgetenv("FOTOPLEX_SCREENSHOT");
        if (!screenshot.isEmpty()) {
            QVERIFY(image.save(QString::fromLocal8Bit(screenshot)));
        }
        const int showMs = qEnvironmentVariableIntValue("FOTOPLEX_SHOW_MS");
        if (showMs > 0) {
            QTest::qWait(showMs);
        }
        form->reject();
    }

    void pipetteReadsTheScreenOnX11() {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            QSKIP("needs an X display");
        }
        QWidget target;
        target.setWindowFlags(Qt::FramelessWindowHint);
        target.setAutoFillBackground(true);
        QPalette palette = target.palette();
        palette.setColor(QPalette::Window, QColor(0x33, 0x66, 0xCC));
        target.setPalette(palette);
        target.setGeometry(600, 500, 120, 120);
        target.show();
        QVERIFY(QTest::qWaitForWindowExposed(&target));
        QTest::qWait(200);

        TWebColorDialog dialog(nullptr);
        dialog.Open([](bool) {});
        TWebColorForm* form = dialog.form();
        form->move(0, 0);
        QVERIFY(QTest::qWaitForWindowExposed(form));
        QCursor::setPos(target.geometry().center());
        QTest::mouseClick(form->findChild<QWidget*>(QStringLiteral("SelectBtn")), Qt::LeftButton);
        QVERIFY(form->screenPicker().isPicking());
        QTRY_COMPARE_WITH_TIMEOUT(form->newColor(), WebRgb{0x3366CC}, 3000);
        QCOMPARE(form->palette()->framedCell(), 6);
        QTest::mousePress(form, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!form->screenPicker().isPicking());
        form->reject();
    }
};

QTEST_MAIN(TestWebColorLook)
#include "test_webcolor_look.moc"
