#include "ui/ClickableWidgets.h"

#include <QCoreApplication>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

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

void ClickableListBox::setRowPaths(std::function<QStringList(const QList<int>&)> rowPaths) {
    rowPaths_ = std::move(rowPaths);
    setDragEnabled(static_cast<bool>(rowPaths_));
    setDragDropMode(rowPaths_ ? QAbstractItemView::DragOnly : QAbstractItemView::NoDragDrop);
    setDefaultDropAction(Qt::CopyAction);
}

void ClickableListBox::showDropIndicator(bool shown) {
    if (dropIndicator_ != shown) {
        dropIndicator_ = shown;
        viewport()->update();
    }
}

void ClickableListBox::paintEvent(QPaintEvent* event) {
    QListWidget::paintEvent(event);
    if (!dropIndicator_) {
        return;
    }
    // A frame around the list and a line where the files will be appended.
    QPainter painter(viewport());
    const QColor highlight = palette().color(QPalette::Highlight);
    painter.setPen(QPen(highlight, 2));
    painter.drawRect(viewport()->rect().adjusted(1, 1, -1, -1));
    int y = 2;
    if (count() > 0) {
        y = visualItemRect(item(count() - 1)).bottom() + 1;
    }
    painter.drawLine(4, y, viewport()->width() - 5, y);
}

QStringList ClickableListBox::mimeTypes() const {
    return {"text/uri-list", kOwnRowsFormat};
}

QMimeData* ClickableListBox::mimeData(const QList<QListWidgetItem*>& items) const {
    auto* data = new QMimeData;
    QList<int> rows;
    for (const QListWidgetItem* item : items) {
        rows.push_back(row(item));
    }
    QList<QUrl> urls;
    if (rowPaths_) {
        for (const QString& path : rowPaths_(rows)) {
            urls.push_back(QUrl::fromLocalFile(path));
        }
    }
    data->setUrls(urls);
    data->setData(kOwnRowsFormat, ownRowsMark());
    return data;
}

QByteArray ownRowsMark() {
    return QByteArray::number(QCoreApplication::applicationPid());
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
