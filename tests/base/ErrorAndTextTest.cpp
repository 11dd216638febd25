#include <gtest/gtest.h>

#include "base/Error.h"
#include "base/Text.h"

namespace fotoplex {
namespace {

TEST(ErrorBox, AddsAPointOnlyAfterCharactersThatSortAfterIt) {
    EXPECT_EQ(errorBoxText("Cannot open file /a/b.jpg"), "Cannot open file /a/b.jpg.");
    EXPECT_EQ(errorBoxText("Done."), "Done.");
    EXPECT_EQ(errorBoxText("Really?"), "Really?.");
    EXPECT_EQ(errorBoxText("Stop!"), "Stop!") << "'!' sorts before '.'";
    EXPECT_EQ(errorBoxText("(x)"), "(x)");
    EXPECT_EQ(errorBoxText(""), "");
    EXPECT_EQ(errorBoxText("caf\xC3\xA9"), "caf\xC3\xA9.") << "bytes above 127 sort after '.'";
}

TEST(ErrorMessages, FileAndFolderTexts) {
    EXPECT_STREQ(cannotOpenFile("/x").what(), "Cannot open file /x");
    EXPECT_STREQ(cannotCreateFile("/y").what(), "Cannot create file /y");
    EXPECT_STREQ(cannotCreateFolder("/z/").what(), "Cannot create /z/");
}

TEST(TextLimits, CutsAtByteLimitsOnSequenceBoundaries) {
    EXPECT_EQ(limitText("abc", 5), "abc");
    EXPECT_EQ(limitText("abcdef", 3), "abc");
    EXPECT_EQ(limitText("a\xE2\x82\xAC", 3), "a") << "a three-byte euro sign goes whole";
    EXPECT_EQ(limitText("a\xE2\x82\xAC", 4), "a\xE2\x82\xAC");
    EXPECT_EQ(limitText("", 0), "");
    EXPECT_EQ(toLowerAscii("ABC xyz \xC3\x89"), "abc xyz \xC3\x89");
}

} // namespace
} // namespace fotoplex
