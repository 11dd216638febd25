#pragma once

#include <QIcon>
#include <QListWidget>
#include <QString>
#include <QWidget>

class QLabel;

namespace fotoplex {

// The navigation bar on the left of the window: one group ("Design") of items, each an
// icon with its caption. Reports every change of the selected item.
class SideBar : public QWidget {
    Q_OBJECT
public:
    explicit SideBar(const QString& groupCaption, QWidget* parent = nullptr);

    void addItem(const QIcon& icon, const QString& caption, const QString& name);

    int itemCount() const;
    // The selected item of the group, -1 when none is selected.
    int selectedItem() const;
    // Selects an item; selecting one that is not selected yet reports a change.
    void selectItem(int index);
    QListWidget* items() const { return list_; }

signals:
    // group is 0 (the only group); item is -1 when nothing is selected.
    void changed(int group, int item);

private:
    QLabel* header_ = nullptr;
    QListWidget* list_ = nullptr;
};

} // namespace fotoplex
