// The nine colour samples: clicking them, OK, Apply and Cancel, and what reaches the project.
#include "base/Error.h"
#include "project/TProject.h"
#include "ui/webcolor/ColorSettings.h"
#include "ui/webcolor/PaletteView.h"
#include "ui/webcolor/TWebColorDialog.h"
#include "ui/webcolor/TWebColorForm.h"
#include "ui/webcolor/WebPalette.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace fotoplex;
namespace wp = fotoplex::webpalette;

namespace {

constexpr int kRedCell = 175 + 8;   // #FF0000, row 14
constexpr int kFirstCell = 0;       // #99CCCC
constexpr int kGreenCell = 100 + 3; // #00FF00, row 9
constexpr int kLightGreyCell = 218; // #CCCCCC

QPoint centreOf(int cell) {
    const wp::Rect box = wp::cellBounds(cell);
    return {box.left + box.width / 2, box.top + box.height / 2};
}

WebRgb colorOf(QWidget* widget, QPalette::ColorRole role) {
    return widget->palette().color(role).rgb() & 0xFFFFFF;
}

// The Gallery page's samples as the main window lays them out: the page colour labels on
// BackPanel, "Table Caption" on TableHeaderPanel, the border panel on its own.
struct GalleryPage {
    QWidget page;
    QFrame* BorderColorPanel = new QFrame(&page);
    QFrame* TableHeaderPanel = new QFrame(&page);
    QLabel* TableHeaderText = new QLabel(QStringLiteral("Table Caption"), TableHeaderPanel);
    QFrame* BackPanel = new QFrame(&page);
    QLabel* BackLabel = new QLabel(QStringLiteral("Background"), BackPanel);
    QLabel* TextLabel = new QLabel(QStringLiteral("Text"), BackPanel);
    QLabel* HoverLabel = new QLabel(QStringLiteral("Hover"), BackPanel);
    QLabel* LinkLabel = new QLabel(QStringLiteral("Link"), BackPanel);
    QLabel* ActiveLinkLabel = new QLabel(QStringLiteral("Active Link"), BackPanel);
    QLabel* VisitedLinkLabel = new QLabel(QStringLiteral("Visited Link"), BackPanel);

    TProject project;
    TProject* current = &project; // New and Open replace the window's project
    int modifiedMarks = 0;
    TWebColorDialog dialog{&page};
    ColorSettings settings{dialog, [this]() -> TProject& { return *current; },
                           [this] { ++modifiedMarks; }};

    GalleryPage() {
        page.resize(676, 430);
        settings.attach(ColorSample::BorderColor, BorderColorPanel);
        settings.attach(ColorSample::TableHeaderColor, TableHeaderPanel);
        settings.attach(ColorSample::TableHeaderTextColor, TableHeaderText);
        settings.attach(ColorSample::LinkColor, LinkLabel);
        settings.attach(ColorSample::ActiveLinkColor, ActiveLinkLabel);
        settings.attach(ColorSample::VisitedLinkColor, VisitedLinkLabel);
        settings.attach(ColorSample::HoverColor, HoverLabel);
        settings.attach(ColorSample::BackColor, BackPanel, {BackLabel});
        settings.attach(ColorSample::TextColor, TextLabel);
        settings.ShowColors();
        page.show();
    }

    // Clicks the sample and returns the dialog's window, open.
    TWebColorForm* clickSample(ColorSample sample) {
        settings.ColorSampleClick(sample);
        TWebColorForm* form = dialog.form();
        if (form == nullptr || !form->isVisible()) {
            qFatal("the colour dialog did not open");
        }
        return form;
    }
};

void pressCell(TWebColorForm* form, int cell) {
    QTest::mousePress(form->palette(), Qt::LeftButton, {}, centreOf(cell));
}

void click(TWebColorForm* form, const char* button) {
    QTest::mouseClick(form->findChild<QAbstractButton*>(QLatin1String(button)), Qt::LeftButton);
}

// Picks `cell` through `sample` and presses `button`.
void pick(GalleryPage& gallery, ColorSample sample, int cell, const char* button = "OkBtn") {
    TWebColorForm* form = gallery.clickSample(sample);
    pressCell(form, cell);
    click(form, button);
}

} // namespace

class TestWebColorSettings : public QObject {
    Q_OBJECT

private slots:
    void samplesShowTheProjectsColours() {
        GalleryPage gallery;
        QCOMPARE(colorOf(gallery.BorderColorPanel, QPalette::Window), WebRgb{0x000000});
        QCOMPARE(colorOf(gallery.TableHeaderPanel, QPalette::Window), WebRgb{0xCCCCCC});
        QCOMPARE(colorOf(gallery.TableHeaderText, QPalette::WindowText), WebRgb{0x000000});
        QCOMPARE(colorOf(gallery.LinkLabel, QPalette::WindowText), WebRgb{0x3333FF});
        QCOMPARE(colorOf(gallery.ActiveLinkLabel, QPalette::WindowText), WebRgb{0x003399});
        QCOMPARE(colorOf(gallery.VisitedLinkLabel, QPalette::WindowText), WebRgb{0x003399});
        QCOMPARE(colorOf(gallery.HoverLabel, QPalette::WindowText), WebRgb{0x3333FF});
        QCOMPARE(colorOf(gallery.BackPanel, QPalette::Window), WebRgb{0xFFFFFF});
        QCOMPARE(colorOf(gallery.TextLabel, QPalette::WindowText), WebRgb{0x000000});
        QVERIFY(gallery.BackPanel->autoFillBackground());
        QVERIFY(gallery.TableHeaderPanel->autoFillBackground());
        // The labels lie on their panels, so the panels' colours are what shows behind them.
        const QImage page = gallery.BackPanel->grab().toImage();
        QCOMPARE(page.pixel(gallery.BackPanel->width() - 1, gallery.BackPanel->height() - 1) &
                     0xFFFFFF,
                 0xFFFFFFu);
        QCOMPARE(gallery.modifiedMarks, 0);
        QVERIFY(gallery.project.Modified); // showing leaves the flag alone

        gallery.project.BackColor = "#102030";
        gallery.project.TableHeaderTextColor = "#a0b0c0";
        gallery.settings.ShowColors();
        QCOMPARE(colorOf(gallery.BackPanel, QPalette::Window), WebRgb{0x102030});
        QCOMPARE(colorOf(gallery.TableHeaderText, QPalette::WindowText), WebRgb{0xA0B0C0});
    }

    void aBadStoredColourIsAnError() {
        GalleryPage gallery;
        gallery.project.LinkColor = "#33ZZFF";
        try {
            gallery.settings.ShowColors();
            QFAIL("no error");
        } catch (const Error& error) {
            QCOMPARE(QString::fromLatin1(error.what()),
                     QStringLiteral("'$ZZ' is not a valid integer value"));
        }
    }

    void samplesShowTheHandPointer() {
        GalleryPage gallery;
        for (QWidget* sample : std::initializer_list<QWidget*>{
                 gallery.BorderColorPanel, gallery.TableHeaderPanel, gallery.TableHeaderText,
                 gallery.LinkLabel, gallery.ActiveLinkLabel, gallery.VisitedLinkLabel,
                 gallery.HoverLabel, gallery.BackPanel, gallery.BackLabel, gallery.TextLabel}) {
            QCOMPARE(sample->cursor().shape(), Qt::PointingHandCursor);
        }
    }

    void hoverIsUnderlinedUnderThePointer() {
        GalleryPage gallery;
        QVERIFY(!gallery.HoverLabel->font().underline());
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QCoreApplication::sendEvent(gallery.HoverLabel, &enter);
        QVERIFY(gallery.HoverLabel->font().underline());
        QVERIFY(!gallery.LinkLabel->font().underline());
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(gallery.HoverLabel, &leave);
        QVERIFY(!gallery.HoverLabel->font().underline());
    }

    void eachSampleSetsItsCaption_data() {
        QTest::addColumn<int>("sample");
        QTest::addColumn<QString>("caption");
        const char* captions[] = {
            "Border Color", "Table Header Back Color", "Table Header Text Color",
            "Link Color",   "Active Link Color",       "Visited Link Color",
            "Hover Color",  "Background Color",        "Text Color"};
        for (int sample = 0; sample < kColorSampleCount; ++sample) {
            QTest::newRow(captions[sample]) << sample << QString::fromLatin1(captions[sample]);
        }
    }

    // Each sample's OK stores into its own setting and nowhere else.
    void eachSampleSetsItsCaption() {
        QFETCH(int, sample);
        QFETCH(QString, caption);
        GalleryPage gallery;
        const TProject before = gallery.project;
        const auto which = static_cast<ColorSample>(sample);
        TWebColorForm* form = gallery.clickSample(which);
        QCOMPARE(form->windowTitle(), caption);
        pressCell(form, kFirstCell);
        click(form, "OkBtn");
        const ColorSampleInfo& info = colorSampleInfo(which);
        for (const ColorSampleInfo& other : colorSamples()) {
            const std::string expected =
                other.sample == which ? std::string("#99CCCC") : (before.*other.setting).str();
            QCOMPARE(QString::fromStdString((gallery.project.*other.setting).str()),
                     QString::fromStdString(expected));
        }
        const QPalette::ColorRole role =
            info.property == SampleProperty::PanelColor ? QPalette::Window : QPalette::WindowText;
        QCOMPARE(colorOf(gallery.settings.sampleWidget(which), role), WebRgb{0x99CCCC});
        QCOMPARE(gallery.modifiedMarks, 1);
    }

    void redBorder() {
        GalleryPage gallery;
        pick(gallery, ColorSample::BorderColor, kRedCell);
        QCOMPARE(gallery.project.BorderColor.str(), std::string("#FF0000"));
        QCOMPARE(colorOf(gallery.BorderColorPanel, QPalette::Window), WebRgb{0xFF0000});
        const QImage panel = gallery.BorderColorPanel->grab().toImage();
        QCOMPARE(panel.pixel(panel.width() / 2, panel.height() / 2) & 0xFFFFFF, 0xFF0000u);
        QCOMPARE(gallery.modifiedMarks, 1);
    }

    void rgbSchemeStillStoresHex() {
        GalleryPage gallery;
        TWebColorForm* form = gallery.clickSample(ColorSample::LinkColor);
        click(form, "RgbRadio");
        pressCell(form, kGreenCell);
        QCOMPARE(form->findChild<QWidget*>(QStringLiteral("ValueEdit"))->property("text"),
                 QVariant(QStringLiteral("RGB(0,255,0)")));
        click(form, "OkBtn");
        QCOMPARE(gallery.project.LinkColor.str(), std::string("#00FF00"));
        QCOMPARE(gallery.dialog.colorScheme(), ColorScheme::scHex);

        // Apply while RGB is shown stores hex as well.
        form = gallery.clickSample(ColorSample::HoverColor);
        click(form, "RgbRadio");
        pressCell(form, kRedCell);
        click(form, "ApplyBtn");
        QCOMPARE(gallery.project.HoverColor.str(), std::string("#FF0000"));
        click(form, "CancelBtn");
    }

    void textColourChangesOnlyTheTextSample() {
        GalleryPage gallery;
        gallery.project.TableHeaderTextColor = "#112233";
        gallery.settings.ShowColors();
        pick(gallery, ColorSample::TextColor, kRedCell);
        QCOMPARE(gallery.project.TextColor.str(), std::string("#FF0000"));
        QCOMPARE(colorOf(gallery.TextLabel, QPalette::WindowText), WebRgb{0xFF0000});
        QCOMPARE(colorOf(gallery.TableHeaderText, QPalette::WindowText), WebRgb{0x112233});
        QCOMPARE(gallery.project.TableHeaderTextColor.str(), std::string("#112233"));
        for (QLabel* other : {gallery.LinkLabel, gallery.ActiveLinkLabel, gallery.VisitedLinkLabel,
                              gallery.HoverLabel}) {
            QVERIFY(colorOf(other, QPalette::WindowText) != 0xFF0000);
        }
        QCOMPARE(colorOf(gallery.BackPanel, QPalette::Window), WebRgb{0xFFFFFF});
    }

    void applyThenCancelKeepsTheAppliedColour() {
        GalleryPage gallery;
        gallery.project.Modified = false;
        TWebColorForm* form = gallery.clickSample(ColorSample::VisitedLinkColor);
        pressCell(form, kRedCell);
        click(form, "ApplyBtn");
        QVERIFY(form->isVisible());
        QCOMPARE(gallery.project.VisitedLinkColor.str(), std::string("#FF0000"));
        QCOMPARE(colorOf(gallery.VisitedLinkLabel, QPalette::WindowText), WebRgb{0xFF0000});
        QCOMPARE(gallery.modifiedMarks, 1);
        QCOMPARE(gallery.project.ActiveLinkColor.str(), std::string("#003399"));
        pressCell(form, kGreenCell);
        click(form, "CancelBtn");
        QVERIFY(!form->isVisible());
        QCOMPARE(gallery.project.VisitedLinkColor.str(), std::string("#FF0000"));
        QCOMPARE(colorOf(gallery.VisitedLinkLabel, QPalette::WindowText), WebRgb{0xFF0000});
        QCOMPARE(gallery.modifiedMarks, 1);
        QCOMPARE(gallery.dialog.Color(), WebRgb{0xFF0000});
    }

    void applyThenOkStoresAgain() {
        GalleryPage gallery;
        TWebColorForm* form = gallery.clickSample(ColorSample::BackColor);
        pressCell(form, kRedCell);
        click(form, "ApplyBtn");
        pressCell(form, kLightGreyCell);
        click(form, "OkBtn");
        QCOMPARE(gallery.project.BackColor.str(), std::string("#CCCCCC"));
        QCOMPARE(colorOf(gallery.BackPanel, QPalette::Window), WebRgb{0xCCCCCC});
        QCOMPARE(gallery.modifiedMarks, 2);
    }

    void cancelChangesNothing() {
        GalleryPage gallery;
        const TProject before = gallery.project;
        TWebColorForm* form = gallery.clickSample(ColorSample::BorderColor);
        pressCell(form, kRedCell);
        click(form, "CancelBtn");
        form = gallery.clickSample(ColorSample::BorderColor);
        pressCell(form, kRedCell);
        form->close();
        QCOMPARE(gallery.modifiedMarks, 0);
        QCOMPARE(gallery.project.BorderColor, before.BorderColor);
        QCOMPARE(colorOf(gallery.BorderColorPanel, QPalette::Window), WebRgb{0x000000});
        QCOMPARE(gallery.dialog.Color(), WebRgb{0x000000});
    }

    void secondOpeningShowsTheFirstAcceptedColour() {
        GalleryPage gallery;
        TWebColorForm* form = gallery.clickSample(ColorSample::BorderColor);
        QCOMPARE(form->currentColor(), WebRgb{0x000000}); // not the setting's colour
        pressCell(form, kRedCell);
        click(form, "OkBtn");
        form = gallery.clickSample(ColorSample::LinkColor);
        QCOMPARE(form->currentColor(), WebRgb{0xFF0000});
        QCOMPARE(form->findChild<QWidget*>(QStringLiteral("CurrentSwatch"))
                         ->palette()
                         .color(QPalette::Window)
                         .rgb() &
                     0xFFFFFF,
                 0xFF0000u);
        QCOMPARE(form->newColor(), WebRgb{0xFF0000});
        QCOMPARE(form->palette()->framedCell(), kRedCell);
        QCOMPARE(form->windowTitle(), QStringLiteral("Link Color"));
        click(form, "OkBtn"); // OK without a new pick stores the dialog's colour
        QCOMPARE(gallery.project.LinkColor.str(), std::string("#FF0000"));
    }

    void pickedScreenColourOutsideThePaletteLeavesNoFrame() {
        GalleryPage gallery;
        gallery.dialog.setScreenSampler([](QPoint) -> std::optional<WebRgb> { return 0x123457; });
        TWebColorForm* form = gallery.clickSample(ColorSample::BackColor);
        pressCell(form, kRedCell);
        click(form, "SelectBtn");
        QTest::mousePress(form, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(form->palette()->framedCell(), wp::kNoCell);
        click(form, "OkBtn");
        QCOMPARE(gallery.project.BackColor.str(), std::string("#123457"));
        form = gallery.clickSample(ColorSample::TextColor);
        QCOMPARE(form->palette()->framedCell(), wp::kNoCell);
        QCOMPARE(form->currentColor(), WebRgb{0x123457});
        click(form, "CancelBtn");
    }

    void storesIntoTheProjectCurrentAtTheTime() {
        GalleryPage gallery;
        TWebColorForm* form = gallery.clickSample(ColorSample::BorderColor);
        pressCell(form, kRedCell);
        TProject replacement;
        gallery.current = &replacement;
        click(form, "OkBtn");
        QCOMPARE(replacement.BorderColor.str(), std::string("#FF0000"));
        QCOMPARE(gallery.project.BorderColor.str(), std::string("#000000"));
    }
};

QTEST_MAIN(TestWebColorSettings)
#include "test_webcolor_settings.moc"
