#pragma once

#include "filelist/FileListView.h"

class QListWidget;

namespace fotoplex {

// The Files page's list box as the file list drives it.
class ListBoxView : public FileListView {
public:
    explicit ListBoxView(QListWidget* list) : list_(list) {}

    void setRows(const std::vector<std::string>& names) override;
    void removeRow(int row) override;
    void swapRows(int first, int second) override;
    void select(int row) override;
    int selected() const override;

private:
    QListWidget* list_;
};

} // namespace fotoplex
