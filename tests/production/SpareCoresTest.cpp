// The cores a job's workers share: what a resize may borrow, and that every core comes back.
#include "production/SpareCores.h"

#include <gtest/gtest.h>

namespace fotoplex {
namespace {

TEST(SpareCoresTest, OnlyCoresNeitherHeldNorLentAreLentAndAllComeBack) {
    SpareCores cores(4);
    cores.hold();
    {
        const SpareCores::Loan first(&cores, 2);
        EXPECT_EQ(first.count(), 2);
        const SpareCores::Loan second(&cores, 15);
        EXPECT_EQ(second.count(), 1);
        const SpareCores::Loan third(&cores, 15);
        EXPECT_EQ(third.count(), 0);
    }
    cores.hold();
    EXPECT_EQ(SpareCores::Loan(&cores, 15).count(), 2);
    cores.release();
    cores.release();
    EXPECT_EQ(SpareCores::Loan(&cores, 15).count(), 4);
}

TEST(SpareCoresTest, ASingleWorkerOrNoOwnerNeverBorrows) {
    SpareCores one(1);
    one.hold();
    EXPECT_EQ(SpareCores::Loan(&one, 15).count(), 0);
    EXPECT_EQ(SpareCores::Loan(nullptr, 15).count(), 0);
    SpareCores idle(3);
    EXPECT_EQ(SpareCores::Loan(&idle, 0).count(), 0);
    EXPECT_EQ(SpareCores::Loan(&idle, -2).count(), 0);
}

TEST(SpareCoresTest, MoreWorkersThanCoresLeaveNothingToLend) {
    // The queue may start a worker while a loan is out; nothing is lent until enough return.
    SpareCores cores(2);
    const SpareCores::Loan loan(&cores, 1);
    cores.hold();
    cores.hold();
    EXPECT_EQ(SpareCores::Loan(&cores, 15).count(), 0);
    cores.release();
    EXPECT_EQ(SpareCores::Loan(&cores, 15).count(), 0);
    cores.release();
    EXPECT_EQ(SpareCores::Loan(&cores, 15).count(), 1);
}

} // namespace
} // namespace fotoplex
