#pragma once

#include "ui/webcolor/CustomColor.h"
#include "ui/webcolor/ScreenPicker.h"
#include "ui/webcolor/WebColorText.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <string>

class QWidget;

namespace fotoplex {

class TWebColorForm;

// The web colour dialog as the main window uses it: a caption, the last accepted or applied
// colour, the text scheme, and an Apply event. Its window is created at the first opening and
// kept for later ones, centred on the owner each time.
class TWebColorDialog : public QObject {
    Q_OBJECT

public:
    explicit TWebColorDialog(QWidget* owner);
    ~TWebColorDialog() override;

    const QString& Caption() const { return caption_; }
    void setCaption(const QString& caption);

    WebRgb Color() const { return color_; }
    void setColor(WebRgb color) { color_ = color; }

    ColorScheme colorScheme() const { return scheme_; }
    void setColorScheme(ColorScheme scheme);

    // The colour as text in the current scheme.
    std::string WebColor() const { return formatWebColor(color_, scheme_); }

    // Fired by Apply, after Color has taken the new colour. The dialog stays open.
    std::function<void()> OnApply;

    // Shows the dialog modally; true on OK, when Color holds the chosen colour.
    bool Execute();

    // The same without waiting: shows the dialog (modal to its owner) and returns at once;
    // `finished` gets what Execute would return. Does nothing while the dialog is open.
    void Open(std::function<void(bool accepted)> finished);

    bool isOpen() const;

    // The window, or null before the first opening.
    TWebColorForm* form() const;

    // Replace the platform's colour dialog and screen reading, for tests.
    void setCustomColorPicker(CustomColorPicker picker);
    void setScreenSampler(ScreenSampler sampler);

private:
    TWebColorForm& ensureForm();
    void placeOnOwner();

    QPointer<QWidget> owner_;
    QPointer<TWebColorForm> form_;
    QString caption_ = QStringLiteral("Colors");
    WebRgb color_ = 0x000000;
    ColorScheme scheme_ = ColorScheme::scHex;
    CustomColorPicker customPicker_ = pickCustomColor;
    ScreenSampler sampler_ = sampleScreenPixel;
    std::function<void(bool)> finished_;
};

} // namespace fotoplex
