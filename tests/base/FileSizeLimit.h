#pragma once

// Runs a piece of a test in a child process whose files cannot grow past a limit, so that
// a write fails part way as on a full disk.

#include <functional>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fotoplex::testing {

// The child's exit status from fn (which must not throw), or -1 when it did not end normally.
inline int runWithFileSizeLimit(rlim_t limit, const std::function<int()>& fn) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN); // a write past the limit then fails with EFBIG
        const rlimit bound{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &bound);
        ::_exit(fn());
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child) {
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace fotoplex::testing
