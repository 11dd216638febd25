#pragma once

#include <QFrame>
#include <QLabel>
#include <QListWidget>

namespace fotoplex {

// A label that reports a click, as the colour samples do.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickableLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

// A framed panel that reports a click and shows a colour as its background.
class ClickablePanel : public QFrame {
    Q_OBJECT
public:
    explicit ClickablePanel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

// A list box that also reports a click on the row already selected, which selects nothing
// new (a click on another row reports itself as a change of the current row).
class ClickableListBox : public QListWidget {
    Q_OBJECT
public:
    explicit ClickableListBox(QWidget* parent = nullptr) : QListWidget(parent) {}

signals:
    void selectedRowClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

// The colour a sample shows: a panel's background, a label's font.
void setPanelColor(QWidget* panel, const QColor& color);
QColor panelColor(const QWidget* panel);
void setFontColor(QWidget* label, const QColor& color);
QColor fontColor(const QWidget* label);

} // namespace fotoplex
