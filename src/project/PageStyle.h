#pragma once

// How the gallery's pages are formed.
//  Classic: the fixed-table pages, exactly as they always were.
//  Modern:  responsive pages for phones, sharp screens and screen readers, built from the
//           same settings, with pictures bounded on both sides and a second, sharper size.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace fotoplex {

enum class PageStyleKind : std::uint8_t { Classic, Modern };

// The words the project file and the command line use.
inline constexpr const char* kClassicStyleName = "classic";
inline constexpr const char* kModernStyleName = "modern";

// The style a word names; nothing for any other word (letter case counts).
std::optional<PageStyleKind> parsePageStyle(std::string_view word);

inline constexpr const char* kDefaultPageLanguage = "en";

class TProject;

// The style the project's PageStyle names; a word this version does not know is classic.
PageStyleKind PageStyleOf(const TProject& project);

// A language tag as pages declare it: one to eight letters, then parts of one to eight
// letters or digits, each after a "-" (en, de-CH, zh-Hant-TW, sr-Latn-RS).
bool IsLanguageTag(std::string_view tag);

// A public address a gallery can be found at: http:// or https://, then a host, with no
// blank, quote, angle bracket or control character anywhere.
bool IsSiteAddress(std::string_view address);

} // namespace fotoplex
