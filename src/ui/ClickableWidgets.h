#pragma once

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <functional>

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
//
// Its rows can be dragged out as the files they stand for (to a file manager); the data
// carries kOwnRowsFormat, so that a drop back onto the program is known as its own. While
// files are dragged over the Files page, it shows where they will go: below its last row.
class ClickableListBox : public QListWidget {
    Q_OBJECT
public:
    static constexpr const char* kOwnRowsFormat = "application/x-fotoplex-list-rows";

    explicit ClickableListBox(QWidget* parent = nullptr) : QListWidget(parent) {}

    // The full paths of the rows' files, for dragging them out.
    void setRowPaths(std::function<QStringList(const QList<int>& rows)> rowPaths);
    void showDropIndicator(bool shown);
    bool dropIndicatorShown() const { return dropIndicator_; }

signals:
    void selectedRowClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;

private:
    std::function<QStringList(const QList<int>&)> rowPaths_;
    bool dropIndicator_ = false;
};

// The data of a drag of list rows: the process that made it, so that another instance of the
// program may still take them.
QByteArray ownRowsMark();

// The colour a sample shows: a panel's background, a label's font.
void setPanelColor(QWidget* panel, const QColor& color);
QColor panelColor(const QWidget* panel);
void setFontColor(QWidget* label, const QColor& color);
QColor fontColor(const QWidget* label);

} // namespace fotoplex
