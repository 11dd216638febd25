#include "ui/ListBoxView.h"

#include "ui/QtText.h"

#include <QListWidget>
#include <QSignalBlocker>

namespace fotoplex {

// The file list refreshes the preview itself, so its own changes of the rows and the
// selection do not report a click.
void ListBoxView::setRows(const std::vector<std::string>& names) {
    const QSignalBlocker quiet(list_);
    list_->clear();
    for (const std::string& name : names) {
        list_->addItem(toQString(name));
    }
    list_->setCurrentRow(-1);
}

void ListBoxView::removeRow(int row) {
    const QSignalBlocker quiet(list_);
    delete list_->takeItem(row);
}

void ListBoxView::swapRows(int first, int second) {
    const QSignalBlocker quiet(list_);
    const QString text = list_->item(first)->text();
    list_->item(first)->setText(list_->item(second)->text());
    list_->item(second)->setText(text);
}

void ListBoxView::select(int row) {
    const QSignalBlocker quiet(list_);
    list_->setCurrentRow(row);
    if (row >= 0 && row < list_->count()) {
        list_->scrollToItem(list_->item(row));
    }
}

int ListBoxView::selected() const {
    return list_->currentRow();
}

} // namespace fotoplex
