#pragma once

namespace fotoplex {

// The product's home page: the credit link of every generated page and the address the
// Help menu opens.
inline constexpr const char* kHomePageUrl = "https://fotoplex.org/";

} // namespace fotoplex
