#pragma once

// The file names of the gallery's pages, shared by the index pages (which link to the image
// pages) and the image pages (which link back), so that links and files always agree.
//
// An image page is named after its picture's file name with the last "." replaced by "_",
// followed by ".html": beach.jpg gives beach_jpg.html, my.beach.png my.beach_png.html.
// A file name without a "." gets its name followed by ".html" (scan01 gives scan01.html).

#include <string>
#include <vector>

namespace fotoplex {

class TProject;

// The image page name of one source path.
std::string ImagePageName(const std::string& sourcePath);

// The image page name of every listed file, in list order.
std::vector<std::string> ImagePageNames(const std::vector<std::string>& files);

// "index.html" for page 1, "page<N>.html" for every later page.
std::string IndexPageFileName(int pageNumber);

// Rows and columns of the index tables as the settings fields show them: a value outside
// 1 to 99 (only from a hand-made project file) counts as the nearest limit. Both page kinds
// use it, so a picture's gallery link names the index page that holds its thumbnail.
struct TableSize {
    int rows = 1;
    int cols = 1;
};
TableSize ShownTableSize(const TProject& project);

} // namespace fotoplex
