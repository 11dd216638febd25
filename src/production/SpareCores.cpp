#include "production/SpareCores.h"

#include <algorithm>

namespace fotoplex {

SpareCores::SpareCores(int cores) : cores_(std::max(1, cores)) {}

void SpareCores::hold() {
    const std::lock_guard lock(mutex_);
    ++busy_;
}

void SpareCores::release() {
    giveBack(1);
}

int SpareCores::lend(int most) {
    const std::lock_guard lock(mutex_);
    const int lent = std::clamp(cores_ - busy_, 0, std::max(0, most));
    busy_ += lent;
    return lent;
}

void SpareCores::giveBack(int count) {
    const std::lock_guard lock(mutex_);
    busy_ -= count;
}

SpareCores::Loan::Loan(SpareCores* owner, int most)
    : owner_(owner), count_(owner != nullptr ? owner->lend(most) : 0) {}

SpareCores::Loan::~Loan() {
    if (owner_ != nullptr && count_ > 0) {
        owner_->giveBack(count_);
    }
}

} // namespace fotoplex
