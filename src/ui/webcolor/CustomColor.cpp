#include "ui/webcolor/CustomColor.h"

namespace fotoplex {

std::unique_ptr<QColorDialog> makeCustomColorDialog(WebRgb initial, QWidget* parent) {
    for (int index = 0; index < QColorDialog::customCount(); ++index) {
        QColorDialog::setCustomColor(index, QColor(Qt::white));
    }
    auto dialog = std::make_unique<QColorDialog>(parent);
    dialog->setCurrentColor(QColor(initial));
    return dialog;
}

std::optional<WebRgb> pickCustomColor(WebRgb initial, QWidget* parent) {
    const std::unique_ptr<QColorDialog> dialog = makeCustomColorDialog(initial, parent);
    if (dialog->exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return static_cast<WebRgb>(dialog->selectedColor().rgb() & 0xFFFFFF);
}

} // namespace fotoplex
