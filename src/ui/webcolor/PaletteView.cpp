#include "ui/webcolor/PaletteView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

namespace fotoplex {

namespace {

QPolygon hexagon(int cell) {
    QPolygon polygon;
    for (const webpalette::Point& corner : webpalette::hexCorners(cell)) {
        polygon << QPoint(corner.x, corner.y);
    }
    return polygon;
}

QRect rectangle(int cell) {
    const webpalette::Rect box = webpalette::cellBounds(cell);
    return {box.left, box.top, box.width, box.height};
}

void paintCell(QPainter& painter, int cell) {
    painter.setBrush(QColor(webpalette::colors()[cell]));
    if (webpalette::isHexCell(cell)) {
        painter.drawPolygon(hexagon(cell));
    } else {
        painter.drawRect(rectangle(cell));
    }
}

// Two pixels inside the cell's outline: a four-pixel line along the outline, clipped to the cell.
void paintFrame(QPainter& painter, int cell) {
    QPainterPath outline;
    if (webpalette::isHexCell(cell)) {
        outline.addPolygon(QPolygonF(hexagon(cell)));
    } else {
        outline.addRect(QRectF(rectangle(cell)));
    }
    outline.closeSubpath();
    painter.save();
    painter.setClipPath(outline);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(
        QPen(QColor(webpalette::frameColor(cell)), 4, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawPath(outline);
    painter.restore();
}

} // namespace

PaletteView::PaletteView(QWidget* parent) : QWidget(parent) {
    setFixedSize(webpalette::kWidth, webpalette::kHeight);
    setCursor(Qt::PointingHandCursor);
}

QSize PaletteView::sizeHint() const {
    return {webpalette::kWidth, webpalette::kHeight};
}

void PaletteView::frameColor(WebRgb color) {
    setFramed(webpalette::cellToFrame(color, lastFramed_));
}

void PaletteView::setFramed(int cell) {
    framed_ = cell;
    if (cell != webpalette::kNoCell) {
        lastFramed_ = cell;
    }
    update();
}

void PaletteView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    for (int cell = 0; cell < webpalette::kCellCount; ++cell) {
        paintCell(painter, cell);
    }
    if (framed_ != webpalette::kNoCell) {
        paintFrame(painter, framed_);
    }
}

void PaletteView::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const int cell = webpalette::cellAt(at.x(), at.y());
    if (cell == webpalette::kNoCell) {
        return;
    }
    setFramed(cell);
    emit cellPressed(webpalette::colors()[cell]);
}

} // namespace fotoplex
