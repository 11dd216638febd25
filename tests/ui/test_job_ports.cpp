// The window's side of the jobs: the job window port and the worker's call into the main
// thread.
#include "base/Error.h"
#include "project/TProject.h"
#include "support/ScriptedDialogs.h"
#include "ui/MainForm.h"
#include "ui/QtJobWindow.h"
#include "ui/QtMainThread.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <atomic>
#include <memory>
#include <thread>

using namespace fotoplex;
using fotoplex::testing::ScriptedDialogs;

class JobPortsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<TMainForm> form_;

    template <typename T> T* child(const char* name) { return form_->findChild<T*>(name); }

    // Processes events, as a job does while it polls its worker, until `done` or ten seconds
    // have passed. A worker that is still waiting then is let go, so the test fails instead
    // of hanging.
    static bool waitFor(const std::atomic<bool>& done, std::thread& worker) {
        QElapsedTimer clock;
        clock.start();
        while (!done.load() && clock.elapsed() < 10000) {
            QApplication::processEvents(QEventLoop::AllEvents);
            QThread::msleep(1);
        }
        if (!done.load()) {
            worker.detach();
            return false;
        }
        worker.join();
        return true;
    }

private slots:
    void init() {
        dialogs_.reset();
        form_ = std::make_unique<TMainForm>(
            MainFormOptions{&dialogs_, nullptr, dir_.filePath("last.hgp").toStdString()});
    }

    void cleanup() { form_.reset(); }

    void statusAndProgressReachTheWindow() {
        QtJobWindow window(*form_);
        window.setStatus(0, "Status: Working...");
        window.setStatus(1, "File: beach.jpg");
        QCOMPARE(child<QLabel>("StatusPanel0")->text(), QString("Status: Working..."));
        QCOMPARE(child<QLabel>("StatusPanel1")->text(), QString("File: beach.jpg"));
        window.setProgressMaximum(4);
        window.setProgress(3);
        QCOMPARE(child<QProgressBar>("TotalProgress")->maximum(), 4);
        QCOMPARE(child<QProgressBar>("TotalProgress")->value(), 3);
    }

    // One file gives the maximum 0, a list pruned to none -1: an empty range, which Qt
    // would draw as a busy animation. The bar stays empty instead.
    void progressBarWithOneFileOrNoneIsEmptyNotBusy() {
        QtJobWindow window(*form_);
        auto* bar = child<QProgressBar>("TotalProgress");
        for (const int maximum : {0, -1}) {
            window.setProgressMaximum(maximum);
            window.setProgress(0);
            QVERIFY2(bar->minimum() < bar->maximum(), qPrintable(QString::number(maximum)));
            QCOMPARE(bar->value(), 0);
        }
        window.setProgressMaximum(1); // two files: half way after the first
        window.setProgress(1);
        QCOMPARE(bar->value(), bar->maximum());
    }

    void busyCursorIsShownOnceAndNeverLeftBehind() {
        {
            QtJobWindow window(*form_);
            window.setBusy(true);
            window.setBusy(true);
            QVERIFY(QApplication::overrideCursor());
            QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
            window.setBusy(false);
            QVERIFY(!QApplication::overrideCursor());
            window.setBusy(true);
        } // a job ended by an error
        QVERIFY(!QApplication::overrideCursor());
    }

    void lockAndBuildPageGoThroughTheWindow() {
        QtJobWindow window(*form_);
        window.lockWindow();
        QVERIFY(form_->isLocked());
        window.unlockWindow();
        QVERIFY(!form_->isLocked());
        window.showBuildPage();
        QCOMPARE(child<QStackedWidget>("PageControl")->currentIndex(), 5);
        QCOMPARE(child<QListWidget>("SideBarItems")->currentRow(), 5);
    }

    void removedRowLeavesTheOthersInOrder() {
        auto* list = child<QListWidget>("FilesListBox");
        form_->project().Files = {"/a/one.jpg", "/a/two.jpg", "/a/three.jpg"};
        form_->ShowProject();
        QtJobWindow window(*form_);
        window.removeFileRow(1);
        window.removeFileRow(7); // no such row
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->text(), QString("one.jpg"));
        QCOMPARE(list->item(1)->text(), QString("three.jpg"));
    }

    void workerCallRunsOnTheMainThreadWhileItWaits() {
        QtMainThread mainThread;
        std::atomic<bool> done{false};
        std::atomic<bool> ranOnMain{false};
        std::atomic<bool> returnedAfterCall{false};
        std::atomic<bool> called{false};
        std::thread worker([&] {
            mainThread.runOnMainThread([&] {
                ranOnMain = QThread::currentThread() == QCoreApplication::instance()->thread();
                called = true;
            });
            returnedAfterCall = called.load();
            done = true;
        });
        QVERIFY(waitFor(done, worker));
        QVERIFY(ranOnMain);
        QVERIFY(returnedAfterCall);
    }

    void failingCallWakesTheWorkerWithTheError() {
        QtMainThread mainThread;
        std::atomic<bool> done{false};
        std::string caught;
        std::thread worker([&] {
            try {
                mainThread.runOnMainThread([] { throw fotoplex::Error("Cannot open file x"); });
            } catch (const fotoplex::Error& error) {
                caught = error.what();
            }
            done = true;
        });
        QVERIFY(waitFor(done, worker));
        QCOMPARE(caught, std::string("Cannot open file x"));
    }

    void callFromTheMainThreadRunsAtOnce() {
        QtMainThread mainThread;
        bool ran = false;
        mainThread.runOnMainThread([&] { ran = true; });
        QVERIFY(ran);
    }
};

QTEST_MAIN(JobPortsTest)
#include "test_job_ports.moc"
