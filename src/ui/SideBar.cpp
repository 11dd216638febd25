#include "ui/SideBar.h"

#include <QLabel>
#include <QVBoxLayout>

namespace fotoplex {

SideBar::SideBar(const QString& groupCaption, QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    header_ = new QLabel(groupCaption, this);
    header_->setObjectName("SideBarGroupDesign");
    header_->setAlignment(Qt::AlignCenter);
    header_->setFrameShape(QFrame::StyledPanel);
    header_->setFrameShadow(QFrame::Raised);
    header_->setMinimumHeight(22);
    header_->setAutoFillBackground(true);
    header_->setBackgroundRole(QPalette::Button);
    QFont bold = header_->font();
    bold.setBold(true);
    header_->setFont(bold);
    layout->addWidget(header_);

    list_ = new QListWidget(this);
    list_->setObjectName("SideBarItems");
    list_->setViewMode(QListView::IconMode);
    list_->setFlow(QListView::TopToBottom);
    list_->setMovement(QListView::Static);
    list_->setResizeMode(QListView::Adjust);
    list_->setWrapping(false);
    list_->setIconSize(QSize(32, 32));
    list_->setSpacing(2);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The whole item, icon and caption, shows the selection.
    list_->setStyleSheet("QListWidget::item { border-radius: 4px; padding: 2px; }"
                         "QListWidget::item:selected { background: palette(highlight);"
                         " color: palette(highlighted-text); }");
    layout->addWidget(list_, 1);

    connect(list_, &QListWidget::currentRowChanged, this,
            [this](int row) { emit changed(0, row); });
}

void SideBar::addItem(const QIcon& icon, const QString& caption, const QString& name) {
    auto* item = new QListWidgetItem(icon, caption, list_);
    item->setData(Qt::UserRole, name);
    item->setTextAlignment(Qt::AlignHCenter);
    item->setSizeHint(QSize(92, 54));
}

int SideBar::itemCount() const {
    return list_->count();
}

int SideBar::selectedItem() const {
    return list_->currentRow();
}

void SideBar::selectItem(int index) {
    list_->setCurrentRow(index);
}

} // namespace fotoplex
