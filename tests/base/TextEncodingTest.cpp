#include "base/TextEncoding.h"

#include <gtest/gtest.h>

namespace fotoplex {
namespace {

TEST(TextEncoding, WellFormedUtf8IsTold) {
    EXPECT_TRUE(isValidUtf8(""));
    EXPECT_TRUE(isValidUtf8("plain ASCII <b>"));
    EXPECT_TRUE(isValidUtf8("K\xC3\xB6ln \xE2\x82\xAC \xE6\x97\xA5 \xF0\x9F\x93\xB7"));
    EXPECT_TRUE(isValidUtf8("\xF4\x8F\xBF\xBF")); // U+10FFFF, the last code point
}

TEST(TextEncoding, MalformedUtf8IsTold) {
    EXPECT_FALSE(isValidUtf8("K\xF6ln"));          // Windows-1252 ö
    EXPECT_FALSE(isValidUtf8("\x80"));             // a lone continuation byte
    EXPECT_FALSE(isValidUtf8("\xC3"));             // cut at the end
    EXPECT_FALSE(isValidUtf8("\xE2\x82"));         // cut at the end
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));         // overlong "/"
    EXPECT_FALSE(isValidUtf8("\xE0\x80\xAF"));     // overlong "/"
    EXPECT_FALSE(isValidUtf8("\xF0\x80\x80\xAF")); // overlong "/"
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));     // a surrogate
    EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80")); // past U+10FFFF
    EXPECT_FALSE(isValidUtf8("\xC3\x28"));         // a lead byte without its continuation
    EXPECT_FALSE(isValidUtf8("\xFF"));
}

TEST(TextEncoding, Windows1252BecomesUtf8) {
    EXPECT_EQ(utf8FromWindows1252("K\xF6ln \x80 \x93quoted\x94 \x9F"),
              "K\xC3\xB6ln \xE2\x82\xAC \xE2\x80\x9Cquoted\xE2\x80\x9D \xC5\xB8");
    EXPECT_EQ(utf8FromWindows1252("\x81\xA0\xFF"), "\xC2\x81\xC2\xA0\xC3\xBF");
    EXPECT_EQ(textAsUtf8("Caf\xE9"), "Caf\xC3\xA9");
    EXPECT_EQ(textAsUtf8("Caf\xC3\xA9"), "Caf\xC3\xA9") << "UTF-8 stays as it is";
}

} // namespace
} // namespace fotoplex
