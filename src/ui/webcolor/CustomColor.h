#pragma once

#include "ui/webcolor/WebPalette.h"

#include <QColorDialog>
#include <functional>
#include <memory>
#include <optional>

namespace fotoplex {

// Asks for a colour of the user's own making, starting from `initial`; empty on Cancel.
using CustomColorPicker = std::function<std::optional<WebRgb>(WebRgb initial, QWidget* parent)>;

// Qt's colour dialog preset to `initial`, with its 16 custom colours reset to white so that
// none are kept from one use to the next.
std::unique_ptr<QColorDialog> makeCustomColorDialog(WebRgb initial, QWidget* parent);

// Runs the dialog above modally.
std::optional<WebRgb> pickCustomColor(WebRgb initial, QWidget* parent);

} // namespace fotoplex
