#pragma once

#include "ui/webcolor/WebPalette.h"

#include <QWidget>

namespace fotoplex {

// The honeycomb and the row of grey rectangles, painted from the palette model. Pressing the
// mouse on a cell frames it and reports its colour.
class PaletteView : public QWidget {
    Q_OBJECT

public:
    explicit PaletteView(QWidget* parent = nullptr);

    int framedCell() const { return framed_; }

    // Moves the frame for a colour that did not come from a click on a cell.
    void frameColor(WebRgb color);

    QSize sizeHint() const override;

signals:
    void cellPressed(WebRgb color);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void setFramed(int cell);

    int framed_ = webpalette::kNoCell;
    int lastFramed_ = webpalette::kNoCell;
};

} // namespace fotoplex
