#include "ui/webcolor/ColorSettings.h"

#include "project/WebColor.h"
#include "ui/webcolor/TWebColorDialog.h"
#include "ui/webcolor/TWebColorForm.h"
#include "ui/webcolor/WebColorText.h"

#include <QEvent>
#include <QWidget>

namespace fotoplex {

namespace {

constexpr std::array<ColorSampleInfo, kColorSampleCount> kSamples = {{
    {ColorSample::BorderColor, "Border Color", &TProject::BorderColor, SampleProperty::PanelColor},
    {ColorSample::TableHeaderColor, "Table Header Back Color", &TProject::TableHeaderColor,
     SampleProperty::PanelColor},
    {ColorSample::TableHeaderTextColor, "Table Header Text Color", &TProject::TableHeaderTextColor,
     SampleProperty::FontColor},
    {ColorSample::LinkColor, "Link Color", &TProject::LinkColor, SampleProperty::FontColor},
    {ColorSample::ActiveLinkColor, "Active Link Color", &TProject::ActiveLinkColor,
     SampleProperty::FontColor},
    {ColorSample::VisitedLinkColor, "Visited Link Color", &TProject::VisitedLinkColor,
     SampleProperty::FontColor},
    {ColorSample::HoverColor, "Hover Color", &TProject::HoverColor, SampleProperty::FontColor},
    {ColorSample::BackColor, "Background Color", &TProject::BackColor, SampleProperty::PanelColor},
    {ColorSample::TextColor, "Text Color", &TProject::TextColor, SampleProperty::FontColor},
}};

int indexOf(ColorSample sample) {
    return static_cast<int>(sample);
}

WebRgb displayColor(const std::string& webColor) {
    const RgbColor color = webColorToRgb(webColor);
    return makeWebRgb(color.red, color.green, color.blue);
}

void setUnderline(QWidget* widget, bool underline) {
    QFont font = widget->font();
    font.setUnderline(underline);
    widget->setFont(font);
}

} // namespace

const std::array<ColorSampleInfo, kColorSampleCount>& colorSamples() {
    return kSamples;
}

const ColorSampleInfo& colorSampleInfo(ColorSample sample) {
    return kSamples[indexOf(sample)];
}

ColorSettings::ColorSettings(TWebColorDialog& dialog, ProjectAccess project,
                             std::function<void()> markModified, QObject* parent)
    : QObject(parent), dialog_(dialog), dialogAlive_(&dialog), project_(std::move(project)),
      markModified_(std::move(markModified)) {
    dialog_.OnApply = [this] { WebColorDialogApply(); };
}

// The dialog may outlive the samples' controller; it must not call back into it then.
ColorSettings::~ColorSettings() {
    if (dialogAlive_) {
        dialog_.OnApply = nullptr;
        if (dialog_.isOpen()) {
            dialog_.form()->reject();
        }
    }
}

void ColorSettings::attach(ColorSample sample, QWidget* shows,
                           std::initializer_list<QWidget*> alsoClickable) {
    widgets_[indexOf(sample)] = shows;
    shows->setCursor(Qt::PointingHandCursor);
    for (QWidget* widget : alsoClickable) {
        widget->setCursor(Qt::PointingHandCursor);
    }
    if (colorSampleInfo(sample).property == SampleProperty::PanelColor) {
        shows->setAutoFillBackground(true);
    }
    if (sample == ColorSample::HoverColor) {
        shows->installEventFilter(this);
    }
}

QWidget* ColorSettings::sampleWidget(ColorSample sample) const {
    return widgets_[indexOf(sample)];
}

void ColorSettings::ColorSampleClick(ColorSample sample) {
    if (dialog_.isOpen()) {
        return; // the caption tells Apply which sample is being edited
    }
    dialog_.setCaption(QString::fromLatin1(colorSampleInfo(sample).caption));
    dialog_.Open([this, sample](bool accepted) {
        if (!accepted) {
            return;
        }
        dialog_.setColorScheme(ColorScheme::scHex);
        storeDialogColor(sample);
        markModified_();
    });
}

void ColorSettings::WebColorDialogApply() {
    dialog_.setColorScheme(ColorScheme::scHex);
    markModified_();
    for (const ColorSampleInfo& info : kSamples) {
        if (dialog_.Caption() == QLatin1String(info.caption)) {
            storeDialogColor(info.sample);
        }
    }
}

void ColorSettings::storeDialogColor(ColorSample sample) {
    showSampleColor(sample, dialog_.Color());
    project_().*colorSampleInfo(sample).setting = dialog_.WebColor();
}

void ColorSettings::ShowColors() {
    const TProject& project = project_();
    for (const ColorSampleInfo& info : kSamples) {
        showSampleColor(info.sample, displayColor(project.*info.setting));
    }
}

void ColorSettings::showSampleColor(ColorSample sample, WebRgb color) {
    QWidget* widget = widgets_[indexOf(sample)];
    if (widget == nullptr) {
        return;
    }
    const bool panel = colorSampleInfo(sample).property == SampleProperty::PanelColor;
    QPalette palette = widget->palette();
    palette.setColor(panel ? QPalette::Window : QPalette::WindowText, QColor(color));
    widget->setPalette(palette);
}

void ColorSettings::HoverLabelMouseEnter() {
    if (QWidget* hover = sampleWidget(ColorSample::HoverColor)) {
        setUnderline(hover, true);
    }
}

void ColorSettings::HoverLabelMouseLeave() {
    if (QWidget* hover = sampleWidget(ColorSample::HoverColor)) {
        setUnderline(hover, false);
    }
}

bool ColorSettings::eventFilter(QObject* watched, QEvent* event) {
    if (watched == sampleWidget(ColorSample::HoverColor)) {
        if (event->type() == QEvent::Enter) {
            HoverLabelMouseEnter();
        } else if (event->type() == QEvent::Leave) {
            HoverLabelMouseLeave();
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace fotoplex
