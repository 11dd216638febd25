#include "production/MainThreadQueue.h"

namespace fotoplex {

void MainThreadQueue::runOnMainThread(const std::function<void()>& call) {
    Pending pending{call, false};
    std::unique_lock lock(mutex_);
    queue_.push_back(&pending);
    finished_.wait(lock, [&] { return pending.done; });
}

void MainThreadQueue::runPending() {
    std::unique_lock lock(mutex_);
    while (!queue_.empty()) {
        Pending* pending = queue_.front();
        queue_.pop_front();
        lock.unlock();
        try {
            pending->call();
        } catch (...) {
            // A failing call must still wake its worker, or the job would wait for ever.
        }
        lock.lock();
        pending->done = true;
    }
    lock.unlock();
    finished_.notify_all();
}

} // namespace fotoplex
