#include "ui/Controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

namespace fotoplex {

QSpinBox* makeSpinEdit(QWidget* parent, const QString& name, int minimum, int maximum, int step,
                       int value) {
    auto* spinEdit = new QSpinBox(parent);
    spinEdit->setObjectName(name);
    spinEdit->setRange(minimum, maximum);
    spinEdit->setSingleStep(step);
    spinEdit->setValue(value);
    spinEdit->setKeyboardTracking(true);
    spinEdit->setAccelerated(true);
    return spinEdit;
}

QLineEdit* makeEdit(QWidget* parent, const QString& name, const QString& text, int maxLength) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    if (maxLength > 0) {
        edit->setMaxLength(maxLength);
    }
    edit->setText(text);
    return edit;
}

QCheckBox* makeCheckBox(QWidget* parent, const QString& name, const QString& caption,
                        bool checked) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setChecked(checked);
    return box;
}

QComboBox* makeList(QWidget* parent, const QString& name, const QStringList& items, int index) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->addItems(items);
    list->setCurrentIndex(index);
    return list;
}

QGroupBox* makeGroup(QWidget* parent, const QString& name, const QString& caption) {
    auto* group = new QGroupBox(caption, parent);
    group->setObjectName(name);
    return group;
}

QLabel* makeCaption(QWidget* parent, const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(buddy->objectName() + "Label");
    label->setBuddy(buddy);
    return label;
}

int spinEditValue(const QSpinBox* spinEdit) {
    bool ok = false;
    const int value = spinEdit->cleanText().trimmed().toInt(&ok);
    return ok ? value : spinEdit->minimum();
}

int listIndex(const QComboBox* list) {
    return list->currentIndex() < 0 ? 0 : list->currentIndex();
}

QStringList resizeMethodNames() {
    return {"None",     "Triangle", "Hermite", "Bell",   "BSpline",
            "Lanczos3", "Mitchell", "Nearest", "Linear", "Fast Linear"};
}

} // namespace fotoplex
