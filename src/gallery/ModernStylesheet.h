#pragma once

// The one stylesheet of the modern style, main.css beside index.html: the user's colours,
// font family and margins (as padding) on a responsive layout. The font size is the user's
// NavFontSize but never below 16 pixels, so that text stays readable on a phone. While the
// colours are the defaults, a dark scheme follows the visitor's setting. Table border, cell
// spacing and padding, fixed table width and alignment have no meaning here.

#include <string>
#include <vector>

namespace fotoplex {

class TProject;

std::vector<std::string> GetModernCSS(const TProject& project);

// Writes GetModernCSS to TargetDir + "main.css". Error: "Cannot create file %s".
void MakeModernCSS(const TProject& project);

// The smallest text size of the modern pages, in CSS pixels.
inline constexpr int kMinModernFontSize = 16;

} // namespace fotoplex
