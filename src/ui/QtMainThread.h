#pragma once

#include "ports/MainThread.h"

namespace fotoplex {

// The worker's call into the main thread as a blocking queued call: the worker waits until
// the main thread, processing its events, has run the call. An error the call raises is
// raised again in the worker.
class QtMainThread : public MainThread {
public:
    void runOnMainThread(const std::function<void()>& call) override;
};

} // namespace fotoplex
