#pragma once

#include <functional>

namespace fotoplex {

// A call from a worker thread into the main thread: runOnMainThread blocks the caller until
// the main thread has run `call` while it processes its events.
class MainThread {
public:
    virtual ~MainThread() = default;
    virtual void runOnMainThread(const std::function<void()>& call) = 0;
};

} // namespace fotoplex
