#pragma once

#include "ui/webcolor/CustomColor.h"
#include "ui/webcolor/ScreenPicker.h"
#include "ui/webcolor/WebColorText.h"

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace fotoplex {

class PaletteView;

// The web colour dialog's window: the palette, the "Current:" and "New:" swatches, the scheme
// choice, the value text, the pipette, the custom colour dialog and OK, Apply, Cancel.
class TWebColorForm : public QDialog {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 472;
    static constexpr int kClientHeight = 352;

    explicit TWebColorForm(QWidget* parent = nullptr);

    // Called before each opening: both swatches show `current`, the frame follows it.
    void prepare(WebRgb current, ColorScheme scheme);

    WebRgb currentColor() const { return current_; }
    WebRgb newColor() const { return new_; }
    ColorScheme scheme() const { return scheme_; }
    void setScheme(ColorScheme scheme);

    PaletteView* palette() const { return palette_; }
    ScreenPicker& screenPicker() { return *picker_; }
    void setCustomColorPicker(CustomColorPicker picker) { customPicker_ = std::move(picker); }

    void done(int result) override;

signals:
    // Apply was pressed; the Current swatch already shows the new colour.
    void applied(fotoplex::WebRgb color);
    // The user chose a scheme.
    void schemeChosen(fotoplex::ColorScheme scheme);

private:
    void createControls();
    void connectControls();
    void setNewColor(WebRgb color);
    void showValueText();
    void ApplyBtnClick();
    void SelectBtnClick();
    void CustomBtnClick();

    WebRgb current_ = 0x000000;
    WebRgb new_ = 0x000000;
    ColorScheme scheme_ = ColorScheme::scHex;
    CustomColorPicker customPicker_ = pickCustomColor;

    PaletteView* palette_ = nullptr;
    QFrame* currentSwatch_ = nullptr;
    QFrame* newSwatch_ = nullptr;
    QRadioButton* hexRadio_ = nullptr;
    QRadioButton* rgbRadio_ = nullptr;
    QLineEdit* valueEdit_ = nullptr;
    QPushButton* selectBtn_ = nullptr;
    QPushButton* customBtn_ = nullptr;
    QPushButton* okBtn_ = nullptr;
    QPushButton* applyBtn_ = nullptr;
    QPushButton* cancelBtn_ = nullptr;
    QLabel* messageLabel_ = nullptr;
    ScreenPicker* picker_ = nullptr;
};

} // namespace fotoplex
