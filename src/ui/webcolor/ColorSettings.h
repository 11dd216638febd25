#pragma once

#include "project/TProject.h"
#include "ui/webcolor/WebPalette.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <initializer_list>

class QWidget;

namespace fotoplex {

class TWebColorDialog;

// The nine colour samples of the Gallery page.
enum class ColorSample {
    BorderColor,
    TableHeaderColor,
    TableHeaderTextColor,
    LinkColor,
    ActiveLinkColor,
    VisitedLinkColor,
    HoverColor,
    BackColor,
    TextColor,
};

inline constexpr int kColorSampleCount = 9;

// How a sample shows its colour.
enum class SampleProperty { PanelColor, FontColor };

struct ColorSampleInfo {
    ColorSample sample;
    const char* caption; // the dialog's caption while this sample is edited
    Text TProject::*setting;
    SampleProperty property;
};

const std::array<ColorSampleInfo, kColorSampleCount>& colorSamples();
const ColorSampleInfo& colorSampleInfo(ColorSample sample);

// The main window's side of the colour settings: the samples' hand pointer and Hover underline,
// the click handlers and the dialog's Apply handler, and showing the project's colours.
class ColorSettings : public QObject {
    Q_OBJECT

public:
    using ProjectAccess = std::function<TProject&()>;

    // `project` gives the current project (it is replaced as a whole by New and Open);
    // `markModified` is the window's MarkModified. Takes over the dialog's OnApply.
    ColorSettings(TWebColorDialog& dialog, ProjectAccess project,
                  std::function<void()> markModified, QObject* parent = nullptr);
    ~ColorSettings() override;

    // `shows` is the widget whose colour or font colour shows the sample; it and `alsoClickable`
    // (BackLabel for the background) get the hand pointer.
    void attach(ColorSample sample, QWidget* shows,
                std::initializer_list<QWidget*> alsoClickable = {});

    // The nine click handlers: opens the dialog on its own last colour; OK shows and stores
    // the colour and marks the project modified. Returns at once; the dialog is modal to its
    // owner.
    void ColorSampleClick(ColorSample sample);

    // The dialog's Apply: the sample whose caption the dialog carries takes its colour.
    void WebColorDialogApply();

    // Every sample from the project's settings. Throws Error for a setting that is not a colour.
    void ShowColors();

    QWidget* sampleWidget(ColorSample sample) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void HoverLabelMouseEnter();
    void HoverLabelMouseLeave();
    void showSampleColor(ColorSample sample, WebRgb color);
    void storeDialogColor(ColorSample sample);

    TWebColorDialog& dialog_;
    QPointer<TWebColorDialog> dialogAlive_;
    ProjectAccess project_;
    std::function<void()> markModified_;
    std::array<QPointer<QWidget>, kColorSampleCount> widgets_;
};

} // namespace fotoplex
