#include "ui/AboutBox.h"

#include "gallery/PageIdentity.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace fotoplex {

AboutBox::AboutBox(const QString& appTitle, QWidget* parent) : QDialog(parent) {
    setObjectName("AboutBox");
    setWindowTitle("About");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(appTitle, this);
    title->setObjectName("AboutTitle");
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    auto* text = new QLabel("Turns an ordered list of photographs into a static HTML gallery.\n" +
                                QString(kHomePageUrl),
                            this);
    text->setAlignment(Qt::AlignCenter);
    layout->addWidget(text);
    auto* close = new QPushButton("Close", this);
    close->setObjectName("AboutCloseBtn");
    close->setDefault(true);
    layout->addWidget(close, 0, Qt::AlignCenter);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace fotoplex
