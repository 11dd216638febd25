#include "gallery/PageCharset.h"

#include "gallery/UrlEncoding.h"

#include <gtest/gtest.h>

namespace fotoplex {
namespace {

// "Köln € 日" in UTF-8: a Latin-1 letter, the euro sign and a CJK character.
const std::string kTitle = "K\xC3\xB6ln \xE2\x82\xAC \xE6\x97\xA5";

TEST(PageCharset, AsciiAndMarkupStayAsTheyAreInEveryCharset) {
    for (const char* charset : {"utf-8", "iso-8859-1", "KOI8-R", "iso-2022-jp", "x-mac-greek",
                                "Shift_JIS", "no-such-charset"}) {
        EXPECT_EQ(InPageCharset("<b>Summer</b> & \"more\" \\ ~", charset),
                  "<b>Summer</b> & \"more\" \\ ~")
            << charset;
    }
}

TEST(PageCharset, EachCharsetHoldsWhatItCanAndReferencesTheRest) {
    EXPECT_EQ(InPageCharset(kTitle, "utf-8"), kTitle);
    EXPECT_EQ(InPageCharset(kTitle, "iso-8859-1"), "K\xF6ln &#8364; &#26085;");
    EXPECT_EQ(InPageCharset(kTitle, "windows-1252"), "K\xF6ln \x80 &#26085;");
    EXPECT_EQ(InPageCharset(kTitle, "iso-8859-5"), "K&#246;ln &#8364; &#26085;");
    // EUC-JP holds ö in its supplementary plane (0x8F), which browsers read too.
    EXPECT_EQ(InPageCharset(kTitle, "EUC-JP"), "K\x8F\xAB\xD3ln &#8364; \xC6\xFC");
    // Cyrillic letters in Cyrillic charsets: "Мир" (peace).
    const std::string peace = "\xD0\x9C\xD0\xB8\xD1\x80";
    EXPECT_EQ(InPageCharset(peace, "KOI8-R"), "\xED\xC9\xD2");
    EXPECT_EQ(InPageCharset(peace, "windows-1251"), "\xCC\xE8\xF0");
    EXPECT_EQ(InPageCharset(peace, "iso-8859-1"), "&#1052;&#1080;&#1088;");
}

TEST(PageCharset, AStatefulCharsetIsBackInAsciiBeforeEveryAsciiByteAndReference) {
    // 日本 x €: JIS X 0208 between ESC $ B and ESC ( B; the euro has no place in it.
    const std::string text = "\xE6\x97\xA5\xE6\x9C\xAC x \xE2\x82\xAC";
    EXPECT_EQ(InPageCharset(text, "iso-2022-jp"), "\x1B$BF|K\\\x1B(B x &#8364;");
    EXPECT_EQ(InPageCharset("\xE6\x97\xA5", "iso-2022-jp"), "\x1B$BF|\x1B(B")
        << "a text never ends shifted";
}

TEST(PageCharset, ACharsetTheSystemCannotConvertGetsReferences) {
    EXPECT_EQ(InPageCharset(kTitle, "no-such-charset"), "K&#246;ln &#8364; &#26085;");
}

TEST(PageCharset, ACharsetWithoutABrowserLabelGetsReferencesForAllButAscii) {
    // Both could hold these letters ("Łódź", "Αθήνα"), but browsers read the label as
    // Windows-1252; x-mac-cyrillic is a label they know.
    const std::string lodz = "\xC5\x81\xC3\xB3"
                             "d\xC5\xBA";
    const std::string athens = "\xCE\x91\xCE\xB8\xCE\xAE\xCE\xBD\xCE\xB1";
    for (const char* charset : {"x-mac-ce", "X-MAC-CE", "x-mac-greek"}) {
        EXPECT_EQ(InPageCharset(lodz, charset), "&#321;&#243;d&#378;") << charset;
        EXPECT_EQ(InPageCharset(athens, charset), "&#913;&#952;&#942;&#957;&#945;") << charset;
        EXPECT_EQ(InPageCharset(kTitle, charset), "K&#246;ln &#8364; &#26085;") << charset;
    }
    const std::string peace = "\xD0\x9C\xD0\xB8\xD1\x80";
    EXPECT_EQ(InPageCharset(peace, "x-mac-cyrillic"), "\x8C\xE8\xF0");
}

TEST(PageCharset, AWindowsTextIsReadAsWindows1252) {
    const std::string windows = "K\xF6ln \x80 \x93ja\x94";
    EXPECT_EQ(InPageCharset(windows, "utf-8"),
              "K\xC3\xB6ln \xE2\x82\xAC \xE2\x80\x9Cja\xE2\x80\x9D");
    EXPECT_EQ(InPageCharset(windows, "iso-8859-1"), "K\xF6ln &#8364; &#8220;ja&#8221;");
    EXPECT_EQ(InPageCharset(windows, "windows-1252"), windows);
}

TEST(UrlEncoding, TheBytesThatBreakAUrlArePercentEncoded) {
    EXPECT_EQ(UrlInAttribute("thumbs/tn_beach-2.jpg"), "thumbs/tn_beach-2.jpg");
    EXPECT_EQ(UrlInAttribute("img/M\xC3\xBCller 100%.jpg"), "img/M%C3%BCller%20100%25.jpg");
    EXPECT_EQ(UrlInAttribute("land scape#1_jpg.html"), "land%20scape%231_jpg.html");
    EXPECT_EQ(UrlInAttribute("what?\"x\".jpg"), "what%3F%22x%22.jpg");
    EXPECT_EQ(UrlInAttribute("img/a\\y.jpg"), "img/a%5Cy.jpg") << "a name's backslash is no folder";
    EXPECT_EQ(UrlInAttribute(std::string("a\tb\x7F\x01", 5) + "\xFF"), "a%09b%7F%01%FF");
    EXPECT_EQ(UrlInAttribute("(it's)&+,;=@[]~!$*:"), "(it's)&+,;=@[]~!$*:")
        << "nothing else is touched";
}

TEST(UrlEncoding, AStylesheetUrlAlsoEncodesParenthesesAndTheQuote) {
    EXPECT_EQ(UrlInStylesheet("back.jpg"), "back.jpg");
    EXPECT_EQ(UrlInStylesheet("it's (1) 50%.png"), "it%27s%20%281%29%2050%25.png");
}

} // namespace
} // namespace fotoplex
