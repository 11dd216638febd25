#include "ui/webcolor/TWebColorForm.h"

#include "ui/webcolor/PaletteView.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace fotoplex {

namespace {

constexpr int kMargin = 10;
constexpr int kColumnLeft = kMargin + webpalette::kWidth + 14;
constexpr int kColumnWidth = TWebColorForm::kClientWidth - kMargin - kColumnLeft;
constexpr int kSwatchWidth = (kColumnWidth - 4) / 2;
constexpr int kButtonWidth = 76;
constexpr int kButtonHeight = 26;
constexpr int kButtonTop = TWebColorForm::kClientHeight - kMargin - kButtonHeight;

QFrame* makeSwatch(QWidget* parent, const char* name, QRect geometry) {
    auto* swatch = new QFrame(parent);
    swatch->setObjectName(QLatin1String(name));
    swatch->setFrameShape(QFrame::Box);
    swatch->setFrameShadow(QFrame::Sunken);
    swatch->setAutoFillBackground(true);
    swatch->setGeometry(geometry);
    return swatch;
}

void paintSwatch(QFrame* swatch, WebRgb color) {
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, QColor(color));
    swatch->setPalette(palette);
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    return label;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TWebColorForm::TWebColorForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("WebColorForm"));
    setFixedSize(kClientWidth, kClientHeight);
    createControls();
    connectControls();
    prepare(current_, scheme_);
}

void TWebColorForm::createControls() {
    palette_ = new PaletteView(this);
    palette_->setObjectName(QStringLiteral("PaletteView"));
    palette_->move(kMargin, kMargin);

    const int swatchTop = kMargin + 18;
    const int newLeft = kColumnLeft + kColumnWidth - kSwatchWidth;
    makeLabel(this, "CurrentLabel", QStringLiteral("Current:"),
              {kColumnLeft, kMargin, kSwatchWidth, 16});
    makeLabel(this, "NewLabel", QStringLiteral("New:"), {newLeft, kMargin, kSwatchWidth, 16});
    currentSwatch_ = makeSwatch(this, "CurrentSwatch", {kColumnLeft, swatchTop, kSwatchWidth, 44});
    newSwatch_ = makeSwatch(this, "NewSwatch", {newLeft, swatchTop, kSwatchWidth, 44});

    auto* schemeGroup = new QGroupBox(QStringLiteral(" Sch&eme: "), this);
    schemeGroup->setObjectName(QStringLiteral("SchemeGroup"));
    schemeGroup->setGeometry(kColumnLeft, 84, kColumnWidth, 50);
    hexRadio_ = new QRadioButton(QStringLiteral("Hex"), schemeGroup);
    hexRadio_->setObjectName(QStringLiteral("HexRadio"));
    hexRadio_->setGeometry(8, 22, kColumnWidth / 2 - 8, 22);
    rgbRadio_ = new QRadioButton(QStringLiteral("RGB"), schemeGroup);
    rgbRadio_->setObjectName(QStringLiteral("RgbRadio"));
    rgbRadio_->setGeometry(kColumnWidth / 2, 22, kColumnWidth / 2 - 4, 22);

    QLabel* valueLabel = makeLabel(this, "ValueLabel", QStringLiteral("&Value:"),
                                   {kColumnLeft, 142, kColumnWidth, 16});
    valueEdit_ = new QLineEdit(this);
    valueEdit_->setObjectName(QStringLiteral("ValueEdit"));
    valueEdit_->setReadOnly(true);
    valueEdit_->setGeometry(kColumnLeft, 160, kColumnWidth, 24);
    valueLabel->setBuddy(valueEdit_);

    selectBtn_ = makeButton(this, "SelectBtn", QStringLiteral("&Select ..."),
                            {kColumnLeft, 196, kColumnWidth, kButtonHeight});
    customBtn_ = makeButton(this, "CustomBtn", QStringLiteral("&Custom ..."),
                            {kColumnLeft, 228, kColumnWidth, kButtonHeight});

    messageLabel_ = new QLabel(this);
    messageLabel_->setObjectName(QStringLiteral("MessageLabel"));
    messageLabel_->setWordWrap(true);
    messageLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    messageLabel_->setGeometry(kMargin, kMargin + webpalette::kHeight + 6,
                               kClientWidth - 3 * kButtonWidth - 4 * kMargin,
                               kClientHeight - webpalette::kHeight - 2 * kMargin - 6);

    const int cancelLeft = kClientWidth - kMargin - kButtonWidth;
    const int applyLeft = cancelLeft - 6 - kButtonWidth;
    const int okLeft = applyLeft - 6 - kButtonWidth;
    okBtn_ = makeButton(this, "OkBtn", QStringLiteral("OK"),
                        {okLeft, kButtonTop, kButtonWidth, kButtonHeight});
    okBtn_->setDefault(true);
    applyBtn_ = makeButton(this, "ApplyBtn", QStringLiteral("Apply"),
                           {applyLeft, kButtonTop, kButtonWidth, kButtonHeight});
    cancelBtn_ = makeButton(this, "CancelBtn", QStringLiteral("Cancel"),
                            {cancelLeft, kButtonTop, kButtonWidth, kButtonHeight});

    picker_ = new ScreenPicker(this);
}

void TWebColorForm::connectControls() {
    connect(palette_, &PaletteView::cellPressed, this, [this](WebRgb color) {
        new_ = color;
        paintSwatch(newSwatch_, color);
        showValueText();
    });
    connect(hexRadio_, &QRadioButton::clicked, this, [this] {
        setScheme(ColorScheme::scHex);
        emit schemeChosen(ColorScheme::scHex);
    });
    connect(rgbRadio_, &QRadioButton::clicked, this, [this] {
        setScheme(ColorScheme::scRGB);
        emit schemeChosen(ColorScheme::scRGB);
    });
    connect(selectBtn_, &QPushButton::clicked, this, &TWebColorForm::SelectBtnClick);
    connect(customBtn_, &QPushButton::clicked, this, &TWebColorForm::CustomBtnClick);
    connect(okBtn_, &QPushButton::clicked, this, &QDialog::accept);
    connect(applyBtn_, &QPushButton::clicked, this, &TWebColorForm::ApplyBtnClick);
    connect(cancelBtn_, &QPushButton::clicked, this, &QDialog::reject);
    connect(picker_, &ScreenPicker::colorPicked, this, &TWebColorForm::setNewColor);
    connect(picker_, &ScreenPicker::failed, messageLabel_, &QLabel::setText);
}

void TWebColorForm::prepare(WebRgb current, ColorScheme scheme) {
    current_ = current;
    paintSwatch(currentSwatch_, current);
    messageLabel_->clear();
    setScheme(scheme);
    setNewColor(current);
}

void TWebColorForm::setScheme(ColorScheme scheme) {
    scheme_ = scheme;
    hexRadio_->setChecked(scheme == ColorScheme::scHex);
    rgbRadio_->setChecked(scheme == ColorScheme::scRGB);
    showValueText();
}

// A colour that did not come from a click on a cell.
void TWebColorForm::setNewColor(WebRgb color) {
    new_ = color;
    paintSwatch(newSwatch_, color);
    palette_->frameColor(color);
    showValueText();
}

void TWebColorForm::showValueText() {
    valueEdit_->setText(QString::fromLatin1(formatWebColor(new_, scheme_)));
}

void TWebColorForm::ApplyBtnClick() {
    current_ = new_;
    paintSwatch(currentSwatch_, current_);
    emit applied(current_);
}

void TWebColorForm::SelectBtnClick() {
    messageLabel_->clear();
    picker_->start();
}

void TWebColorForm::CustomBtnClick() {
    const std::optional<WebRgb> color = customPicker_(new_, this);
    if (color) {
        setNewColor(*color);
    }
}

void TWebColorForm::done(int result) {
    picker_->stop();
    QDialog::done(result);
}

} // namespace fotoplex
