#pragma once

// How the modern pages write texts. Pages are UTF-8 whatever Encoding says. The user's words
// and titles keep their markup in element content, as on the classic pages; in attributes
// (descriptions, alt texts, shared titles) only their text goes, with tags left out.

#include <optional>
#include <string>

namespace fotoplex {

class TProject;

// A user text for element content: UTF-8, markup kept.
std::string ContentText(const std::string& text);

// A user text for an attribute or the title: tags left out, then "<", ">" and the double
// quote escaped, and "&" unless it begins a character reference the user typed (&#8211;,
// &amp;), which then still shows its character.
std::string AttributeText(const std::string& text);

// The name without extension with "_" and "-" as blanks and runs of blanks as one
// (IMG_0042-beach.jpg gives "IMG 0042 beach"); the file name when nothing is left.
std::string CleanedName(const std::string& source);

// The alt text of a picture: its caption when it carries one, else its cleaned name. Plain
// text, not yet escaped.
std::string AltText(const std::optional<std::string>& caption, const std::string& source);

// The title the pages share: DocTitle, else TopTitle, else GalleryText (the first that is not
// blank), as plain text, not yet escaped.
std::string GalleryTitle(const TProject& project);

// True while every page colour (text, background, the four link states) is its default: only
// then may a dark scheme take over.
bool UsesDefaultColours(const TProject& project);

// The dark scheme: with the default colours and no background image.
bool OffersDarkScheme(const TProject& project);

} // namespace fotoplex
