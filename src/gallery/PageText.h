#pragma once

// Pieces of text that both kinds of page write the same way. The user's words and titles go
// into the page as the project holds them, in the page's own charset, so markup typed into
// them still works; only the document title has its "<" and ">" escaped, since the title
// element cannot hold markup and a typed tag could end it. File names are escaped where
// they are written (HtmlEscaping).

#include <string>
#include <vector>

namespace fotoplex {

class TProject;
struct PageIdentity;

// Blank: nothing left once leading and trailing blanks and control characters are gone.
bool IsBlank(const std::string& text);
std::string TrimBlanks(const std::string& text);

// "center", "left" or "right" for Alignment 0, 1, 2; an empty text for any other value.
std::string AlignmentText(int alignment);

// The document head both page kinds open with: the charset, generator, keyword,
// description and robots lines, and the title line when DocTitle is not blank.
void AppendHeadLines(const TProject& project, const PageIdentity& identity,
                     std::vector<std::string>& lines);

// A project text (a word, a title, a file name) in the charset the page declares.
std::string PageWord(const TProject& project, const std::string& text);

// BottomTitle followed directly by the version: the text of the credit link.
std::string CreditText(const TProject& project, const PageIdentity& identity);

} // namespace fotoplex
