#include "ui/ClickableWidgets.h"

#include <QMouseEvent>

namespace fotoplex {

ClickableLabel::ClickableLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
}

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit clicked();
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

ClickablePanel::ClickablePanel(QWidget* parent) : QFrame(parent) {
    setCursor(Qt::PointingHandCursor);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setAutoFillBackground(true);
}

void ClickablePanel::mousePressEvent(QMouseEvent* event) {
    // A press on a label lying on the panel belongs to the label.
    if (event->button() == Qt::LeftButton) {
        emit clicked();
        event->accept();
        return;
    }
    QFrame::mousePressEvent(event);
}

void ClickableListBox::mousePressEvent(QMouseEvent* event) {
    const int before = currentRow();
    QListWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && before >= 0 && currentRow() == before &&
        indexAt(event->position().toPoint()).row() == before) {
        emit selectedRowClicked();
    }
}

void setPanelColor(QWidget* panel, const QColor& color) {
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, color);
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);
}

QColor panelColor(const QWidget* panel) {
    return panel->palette().color(QPalette::Window);
}

void setFontColor(QWidget* label, const QColor& color) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

QColor fontColor(const QWidget* label) {
    return label->palette().color(QPalette::WindowText);
}

} // namespace fotoplex
