#include "engine/ResampleFilter.h"

#include <gtest/gtest.h>

namespace fotoplex {
namespace {

TEST(ParseResampleFilter, NumbersZeroToNine) {
    EXPECT_EQ(parseResampleFilter("0"), rfNone);
    EXPECT_EQ(parseResampleFilter("5"), rfLanczos3);
    EXPECT_EQ(parseResampleFilter("9"), rfFastLinear);
    EXPECT_EQ(parseResampleFilter(" 7 "), rfNearest);
    EXPECT_EQ(parseResampleFilter("10"), std::nullopt);
    EXPECT_EQ(parseResampleFilter("-1"), std::nullopt);
    EXPECT_EQ(parseResampleFilter("256"), std::nullopt);
    EXPECT_EQ(parseResampleFilter("5x"), std::nullopt);
}

TEST(ParseResampleFilter, ListTextsIgnoringCaseAndBlanks) {
    EXPECT_EQ(parseResampleFilter("lanczos3"), rfLanczos3);
    EXPECT_EQ(parseResampleFilter("FastLinear"), rfFastLinear);
    EXPECT_EQ(parseResampleFilter("fast linear"), rfFastLinear);
    EXPECT_EQ(parseResampleFilter("B Spline"), rfBSpline);
    EXPECT_EQ(parseResampleFilter("NONE"), rfNone);
    EXPECT_EQ(parseResampleFilter("linear"), rfLinear);
    for (int value = 0; value < kResampleFilterCount; ++value) {
        EXPECT_EQ(parseResampleFilter(kResampleFilterNames[value]),
                  static_cast<TResampleFilter>(value));
    }
}

TEST(ParseResampleFilter, AnythingElseIsRefused) {
    EXPECT_EQ(parseResampleFilter(""), std::nullopt);
    EXPECT_EQ(parseResampleFilter("  "), std::nullopt);
    EXPECT_EQ(parseResampleFilter("lanczos"), std::nullopt);
    EXPECT_EQ(parseResampleFilter("bicubic"), std::nullopt);
    EXPECT_EQ(parseResampleFilter("fast-linear"), std::nullopt);
}

} // namespace
} // namespace fotoplex
