#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

#include "ports/MainThread.h"

namespace fotoplex {

// MainThread for front ends without an event loop of their own (the command line, tests):
// calls from workers wait in a queue that the main thread empties in runPending().
class MainThreadQueue : public MainThread {
public:
    void runOnMainThread(const std::function<void()>& call) override;

    // Runs every queued call on the calling (main) thread and wakes the waiting workers.
    void runPending();

private:
    struct Pending {
        std::function<void()> call;
        bool done = false;
    };

    std::mutex mutex_;
    std::condition_variable finished_;
    std::deque<Pending*> queue_;
};

} // namespace fotoplex
