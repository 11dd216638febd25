#pragma once

#include <QString>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QWidget;

namespace fotoplex {

// Small builders for the settings controls: each sets the control's name, its caption or
// items, and the range, step, length and initial value it has before a project is shown.
QSpinBox* makeSpinEdit(QWidget* parent, const QString& name, int minimum, int maximum, int step,
                       int value);
QLineEdit* makeEdit(QWidget* parent, const QString& name, const QString& text, int maxLength = 0);
QCheckBox* makeCheckBox(QWidget* parent, const QString& name, const QString& caption, bool checked);
QComboBox* makeList(QWidget* parent, const QString& name, const QStringList& items, int index);
QGroupBox* makeGroup(QWidget* parent, const QString& name, const QString& caption);
// A caption for a control, named after it ("ImgWidthSpinEditLabel").
QLabel* makeCaption(QWidget* parent, const QString& text, QWidget* buddy);

// The value a spin edit shows: its text read as a whole number, the minimum when the text
// is not one. Typed values outside the range count as typed until the edit is left.
int spinEditValue(const QSpinBox* spinEdit);

// The item index of a list, 0 when none is selected.
int listIndex(const QComboBox* list);

// The filter names of the two "Resize Method:" lists, in index order.
QStringList resizeMethodNames();

} // namespace fotoplex
