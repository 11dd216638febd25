// The file list's context menu: Sort by Name, Sort by Date Taken and Reverse Order, on photos
// given their dates by exiftool (tests/data/dates), HEIC and WebP among them.
#include "project/TProject.h"
#include "support/ScriptedDialogs.h"
#include "ui/MainForm.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>
#include <memory>

using namespace fotoplex;
using fotoplex::testing::ScriptedDialogs;

class ListOrderTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir config_;
    QTemporaryDir dir_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<TMainForm> form_;

    template <typename T> T* child(const char* name) { return form_->findChild<T*>(name); }
    QListWidget* list() { return child<QListWidget>("FilesListBox"); }
    QMenu* menu() { return child<QMenu>("FilesListMenu"); }
    QAction* item(const char* name) { return child<QAction>(name); }
    QStringList rows() {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i) {
            texts << list()->item(i)->text();
        }
        return texts;
    }
    QStringList listedNames() {
        QStringList names;
        for (const std::string& path : form_->project().Files) {
            names << QFileInfo(QString::fromStdString(path)).fileName();
        }
        return names;
    }
    QString copy(const char* fixture, const QString& name) {
        const QString target = dir_.filePath(name);
        QFile::remove(target);
        QFile::copy(QString(FOTOPLEX_TEST_DATA "/dates/") + fixture, target);
        return target;
    }
    void openMenu() {
        emit list()->customContextMenuRequested(QPoint(10, 10));
        QTRY_VERIFY(menu()->isVisible());
    }

private slots:
    void initTestCase() { qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit()); }

    void init() {
        dialogs_.reset();
        MainFormOptions options;
        options.dialogs = &dialogs_;
        options.lastProjectPath = dir_.filePath("last.hgp").toStdString();
        form_ = std::make_unique<TMainForm>(options);
        child<QCheckBox>("ConvertLow")->setChecked(false);
        // Names in another order than the dates: e (May 1 10:30), d (May 1 08:00),
        // c (May 4), b (May 1 10:00), a (May 5), f (no date: its file time, long ago).
        const QStringList paths = {
            copy("digitized.jpg", "e.jpg"),  copy("big-endian.jpg", "d.jpg"),
            copy("original.webp", "c.webp"), copy("original-offset.jpg", "b.jpg"),
            copy("original.heic", "a.heic"), copy("no-date.jpg", "f.jpg")};
        QFile f(paths.last());
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(QDateTime(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC),
                              QFileDevice::FileModificationTime));
        std::vector<std::string> files;
        for (const QString& path : paths) {
            files.push_back(path.toStdString());
        }
        form_->addDroppedPaths(files);
        form_->project().Modified = false;
        form_->programState().imagesBuilt = true;
        form_->programState().thumbsBuilt = true;
    }
    void cleanup() { form_.reset(); }

    void theMenuOffersThreeOrders() {
        openMenu();
        const QList<QAction*> actions = menu()->actions();
        QCOMPARE(actions.size(), 3);
        QCOMPARE(actions[0]->text(), QString("Sort by Name"));
        QCOMPARE(actions[1]->text(), QString("Sort by Date Taken"));
        QCOMPARE(actions[2]->text(), QString("Reverse Order"));
        for (QAction* action : actions) {
            QVERIFY(action->isEnabled());
        }
        menu()->close();
    }

    void sortByDateTakenReordersBothListsOnce() {
        list()->setCurrentRow(4); // a.heic
        item("SortByDateTaken1")->trigger();
        const QStringList expected = {"f.jpg", "d.jpg", "b.jpg", "e.jpg", "c.webp", "a.heic"};
        QCOMPARE(listedNames(), expected);
        QCOMPARE(rows(), expected);
        QCOMPARE(list()->currentRow(), 5);
        QVERIFY(form_->project().Modified);
        QVERIFY(form_->windowTitle().endsWith(" *"));
        QVERIFY(!form_->programState().imagesBuilt && !form_->programState().thumbsBuilt);
        // Once: a later addition is appended, not put in date order.
        form_->addDroppedPaths({copy("big-endian.jpg", "0.jpg").toStdString()});
        QCOMPARE(rows().last(), QString("0.jpg"));
        QVERIFY(dialogs_.asked.empty());
    }

    void sortByNameAndReverse() {
        item("SortByName1")->trigger();
        const QStringList byName = {"a.heic", "b.jpg", "c.webp", "d.jpg", "e.jpg", "f.jpg"};
        QCOMPARE(rows(), byName);
        item("ReverseOrder1")->trigger();
        QStringList reversed = byName;
        std::reverse(reversed.begin(), reversed.end());
        QCOMPARE(rows(), reversed);
        QCOMPARE(listedNames(), reversed);
    }

    void anUnchangedOrderMarksNothing() {
        item("SortByName1")->trigger();
        form_->project().Modified = false;
        form_->programState().imagesBuilt = true;
        item("SortByName1")->trigger();
        QVERIFY(!form_->project().Modified);
        QVERIFY(form_->programState().imagesBuilt);
    }

    void disabledWhileTheListIsSorted() {
        child<QCheckBox>("SortedChk")->click();
        QVERIFY(form_->project().SortedList);
        openMenu();
        for (QAction* action : menu()->actions()) {
            QVERIFY(!action->isEnabled());
        }
        menu()->close();
        const QStringList sorted = rows();
        item("ReverseOrder1")->trigger();
        QCOMPARE(rows(), sorted);
        child<QCheckBox>("SortedChk")->click();
        openMenu();
        QVERIFY(item("ReverseOrder1")->isEnabled());
        menu()->close();
    }

    // FOTOPLEX_SCREENSHOT=file.png keeps a picture of the window with the menu open.
    void screenshotOfTheMenu() {
        const QByteArray out = qgetenv("FOTOPLEX_SCREENSHOT");
        if (out.isEmpty()) {
            QSKIP("FOTOPLEX_SCREENSHOT is not set");
        }
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        list()->setCurrentRow(2);
        const QPoint at = list()->visualItemRect(list()->item(2)).center();
        emit list()->customContextMenuRequested(at);
        QTRY_VERIFY(menu()->isVisible());
        QTest::qWait(200);
        QImage shot = form_->grab().toImage();
        QPainter painter(&shot);
        painter.drawPixmap(form_->mapFromGlobal(menu()->pos()), menu()->grab());
        painter.end();
        QVERIFY(shot.save(QString::fromLocal8Bit(out)));
        menu()->close();
    }
};

QTEST_MAIN(ListOrderTest)
#include "test_list_order.moc"
