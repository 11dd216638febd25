#include "ui/QtMainThread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <exception>

namespace fotoplex {

void QtMainThread::runOnMainThread(const std::function<void()>& call) {
    QCoreApplication* application = QCoreApplication::instance();
    if (!application || QThread::currentThread() == application->thread()) {
        call();
        return;
    }
    std::exception_ptr failure;
    // Nothing may escape into the event loop; the worker gets the error back.
    QMetaObject::invokeMethod(
        application,
        [&call, &failure] {
            try {
                call();
            } catch (...) {
                failure = std::current_exception();
            }
        },
        Qt::BlockingQueuedConnection);
    if (failure) {
        std::rethrow_exception(failure);
    }
}

} // namespace fotoplex
