#pragma once

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTest>
#include <QTimer>
#include <functional>

namespace fotoplex::testing {

// Runs `inspect` on the next file dialog once it is open, then closes it, so that a test
// never waits on a real dialog.
inline void inspectNextDialog(std::function<void(QFileDialog&)> inspect) {
    QTimer::singleShot(0, [inspect = std::move(inspect)] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            qWarning("the dialog never opened");
            return;
        }
        inspect(*dialog);
        dialog->reject();
    });
}

inline QComboBox* filterList(QFileDialog& dialog) {
    return dialog.findChild<QComboBox*>("fileTypeCombo");
}

// The patterns the dialog's file list uses now.
inline QStringList listedPatterns(QFileDialog& dialog) {
    auto* model = dialog.findChild<QFileSystemModel*>();
    return model ? model->nameFilters() : QStringList{"(no file list)"};
}

// Picks a filter with the keyboard, as a user does; false when the dialog has no such entry.
inline bool pickFilter(QFileDialog& dialog, const QString& caption) {
    QComboBox* combo = filterList(dialog);
    const int wanted = combo ? combo->findText(caption) : -1;
    if (wanted < 0) {
        return false;
    }
    QTest::keyClick(combo, Qt::Key_Home);
    for (int i = 0; i < wanted; ++i) {
        QTest::keyClick(combo, Qt::Key_Down);
    }
    return combo->currentIndex() == wanted;
}

// What the dialog shows for each filter and the patterns its file list uses with it, each
// entry picked in turn; the first entry is picked again afterwards.
struct ShownFilters {
    QStringList captions;
    QList<QStringList> patterns;
};

inline ShownFilters readFilters(QFileDialog& dialog) {
    ShownFilters shown;
    QComboBox* combo = filterList(dialog);
    if (!combo) {
        qWarning("the dialog has no filter list");
        return shown;
    }
    for (int i = 0; i < combo->count(); ++i) {
        shown.captions << combo->itemText(i);
        pickFilter(dialog, combo->itemText(i));
        shown.patterns << listedPatterns(dialog);
    }
    QTest::keyClick(combo, Qt::Key_Home);
    return shown;
}

} // namespace fotoplex::testing
