#include <gtest/gtest.h>

#include "base/Error.h"
#include "project/WebColor.h"

namespace fotoplex {
namespace {

TEST(WebColor, ReadsThreeHexPairsInEitherCase) {
    EXPECT_EQ(webColorToRgb("#3333FF"), (RgbColor{0x33, 0x33, 0xFF}));
    EXPECT_EQ(webColorToRgb("#a0b1c2"), (RgbColor{0xA0, 0xB1, 0xC2}));
    // The first character is not examined.
    EXPECT_EQ(webColorToRgb("x102030"), (RgbColor{0x10, 0x20, 0x30}));
}

TEST(WebColor, EmptyTextIsBlack) { EXPECT_EQ(webColorToRgb(""), (RgbColor{0, 0, 0})); }

TEST(WebColor, ABadPairNamesItselfWithADollar) {
    try {
        webColorToRgb("#12G456");
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "'$G4' is not a valid integer value");
    }
    try {
        webColorToRgb("#1234");
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "'$' is not a valid integer value");
    }
}

TEST(WebColor, WritesUpperCaseHex) {
    EXPECT_EQ(rgbToWebColor({0x0A, 0xBC, 0xFF}), "#0ABCFF");
    EXPECT_EQ(webColorToRgb(rgbToWebColor({1, 2, 3})), (RgbColor{1, 2, 3}));
}

} // namespace
} // namespace fotoplex
