#pragma once

#include <mutex>

namespace fotoplex {

// The processors one job may use, shared by its workers. Each running worker holds one; a
// worker's resize may borrow those nobody holds (the last files of a job, a gallery of one big
// photo) to split its picture into bands, and gives them back when the resize ends. With one
// worker there is never a core to borrow, so a single-worker job runs as it always did.
class SpareCores {
public:
    explicit SpareCores(int cores);
    SpareCores(const SpareCores&) = delete;
    SpareCores& operator=(const SpareCores&) = delete;

    void hold();
    void release();

    // Cores lent to one resize for as long as it lives.
    class Loan {
    public:
        // Borrows at most `most` of the cores neither held nor lent (possibly none); without
        // an owner, none.
        Loan(SpareCores* owner, int most);
        ~Loan();
        Loan(const Loan&) = delete;
        Loan& operator=(const Loan&) = delete;
        int count() const { return count_; }

    private:
        SpareCores* owner_;
        int count_;
    };

private:
    int lend(int most);
    void giveBack(int count);

    std::mutex mutex_;
    const int cores_;
    int busy_ = 0;
};

} // namespace fotoplex
