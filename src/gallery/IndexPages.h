#pragma once

// The index pages: index.html, page2.html, page3.html ... in the target folder, each one
// table of TableCols x TableRows thumbnail cells in file-list order, with a header row
// ("Page 2 Of 5"), a size row under every row of thumbnails, a navigation row between the
// pages, an optional jump menu, an optional heading and the credit line. A file name in an
// alt text is escaped and every file reference is encoded (UrlInPage); the user's words and
// titles keep their markup.
//
// Choices where the rules leave room:
// - An empty file list writes no page, raises no error and leaves PageCount as it was.
// - LinksTarget outside 0 to 3 writes "_self", the default target.
// - Alignment outside 0 to 2 keeps the alignment text of the previous index-page run (empty
//   after start-up).
// - TableRows and TableCols outside 1 to 99 count as the nearest limit (see ShownTableSize).
// - A thumbnail size missing from ThumbSizes writes empty width and height attributes.
// - PageCount is 16-bit: beyond 65,535 pages it wraps, as the count always has.

#include "base/ProgramState.h"
#include "gallery/PageIdentity.h"
#include "gallery/PageNames.h"
#include "production/OutputNames.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fotoplex {

class TProject;

// Recomputes PageCount from the rows and columns the settings fields show and the number
// of listed files. Returns the text for the page-count panel ("Items: %d   Pages: %d", or
// "Error: All values MUST be positive" when rows x columns is 0), or nothing when the panel
// keeps what it shows (an empty file list).
std::optional<std::string> RecomputePageCount(ProgramState& state, int rows, int cols,
                                              std::size_t fileCount);

// The target text of the thumbnail links for LinksTarget.
std::string LinksTargetText(int linksTarget);

// Everything an index page needs besides the project.
struct IndexPageSet {
    TableSize table;
    std::uint16_t pageCount = 0;
    std::string alignText;
    const std::vector<std::string>& pageNames; // image page names, one per listed file
    const SizeLists& thumbSizes;               // thumbnail sizes, one per listed file
    PageIdentity identity;
    // The build's output names; without them each source's described names are used.
    const OutputNames* outputs = nullptr;
};

// Forms the lines of index page pageNumber (1-based) into lines, which is emptied first.
void FormIndexPage(const TProject& project, const IndexPageSet& set, int pageNumber,
                   std::vector<std::string>& lines);

// Sets the alignment text, recomputes PageCount, forms the image page names and writes every
// index page, one after the other. Error: "Cannot create file %s" for a page that cannot be
// written; the pages before it stay.
void WriteIndexPages(const TProject& project, ProgramState& state, const PageIdentity& identity);

} // namespace fotoplex
