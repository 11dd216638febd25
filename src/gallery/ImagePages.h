#pragma once

// One page per picture, named by ImagePageName, in the target folder: the resized picture in
// a framed table between two rows of links (previous picture, the index page that shows its
// thumbnail, next picture) and the credit line. File references are encoded (UrlInPage); the
// user's words keep their markup.
//
// WriteImagePages is an operation of the project; it is a free function over a const
// project here so that the project layer does not depend on the gallery.
//
// Choices where the rules leave room:
// - A file name without a "." gets the page name + ".html", as on the index pages.
// - An empty file list writes no page and raises no error.
// - Alignment outside 0 to 2 writes an empty alignment text.
// - A picture size missing from the lists writes empty width and height attributes.
// - Two listed files with one file name get a page each: the names come from OutputNames.

#include "gallery/PageIdentity.h"
#include "gallery/PageNames.h"
#include "production/OutputNames.h"

#include <cstddef>
#include <string>
#include <vector>

namespace fotoplex {

class TProject;

// Everything an image page needs besides the project.
struct ImagePageSet {
    TableSize table;
    std::string alignText;
    const std::vector<std::string>& pageNames; // image page names, one per listed file
    const std::vector<std::string>& widths;    // picture sizes, one per listed file
    const std::vector<std::string>& heights;
    PageIdentity identity;
    // The build's output names; without them each source's described names are used.
    const OutputNames* outputs = nullptr;
};

// Forms the lines of the page of picture i (0-based) into lines, which is emptied first.
void FormImagePage(const TProject& project, const ImagePageSet& set, std::size_t i,
                   std::vector<std::string>& lines);

// Writes the page of every listed file, in list order, with the picture sizes of the two
// lists (entry i belongs to file i). Error: "Cannot create file %s" for a page that cannot
// be written; the pages before it stay.
void WriteImagePages(const TProject& project, const std::vector<std::string>& widths,
                     const std::vector<std::string>& heights, const PageIdentity& identity);

} // namespace fotoplex
