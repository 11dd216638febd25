#pragma once

#include <string>
#include <vector>

namespace fotoplex {

// The list box of the Files page (FilesListBoxClick lives with the window): one row per
// listed file, showing its file name, single selection. The file list drives it; it never
// changes its rows by itself. Only the user's clicks and keys move the selection on their own.
class FileListView {
public:
    virtual ~FileListView() = default;

    // Replaces every row; afterwards no row is selected.
    virtual void setRows(const std::vector<std::string>& names) = 0;
    // Deletes one row; the file list sets the selection afterwards.
    virtual void removeRow(int row) = 0;
    // Exchanges the texts of two rows; the selection stays where it is.
    virtual void swapRows(int first, int second) = 0;

    // Selects a row and scrolls it into view; -1 selects none. This is not a click: it must
    // not run FilesListBoxClick (the file list refreshes the preview where it should).
    virtual void select(int row) = 0;
    // The selected row, -1 when none.
    virtual int selected() const = 0;
};

} // namespace fotoplex
