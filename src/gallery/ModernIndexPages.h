#pragma once

// The index pages of the modern style: index.html, page2.html ... as in the classic style,
// each a responsive grid of TableCols x TableRows thumbnails in list order (as many columns
// as the width allows), with the page count, links to the previous and next page, the jump
// menu as a row of page links (no script on these pages) and the credit line. Every cell is
// a link to the picture page with an anchor of its own, so that a picture page can return
// to the cell it came from.

#include "gallery/ModernPictureSet.h"
#include "gallery/PageIdentity.h"

#include <string>
#include <vector>

namespace fotoplex {

class TProject;

// Forms index page pageNumber (1-based) of pageCount into lines, which is emptied first.
void FormModernIndexPage(const TProject& project, const std::vector<ModernPicture>& pictures,
                         int pageNumber, int pageCount, const PageIdentity& identity,
                         std::vector<std::string>& lines);

// Writes every index page. Error: "Cannot create file %s" for a page that cannot be written.
void WriteModernIndexPages(const TProject& project, ProgramState& state,
                           const std::vector<ModernPicture>& pictures,
                           const PageIdentity& identity);

// The thumbnails that load at once; the rest load as they come near the screen.
inline constexpr int kEagerThumbnails = 8;

} // namespace fotoplex
