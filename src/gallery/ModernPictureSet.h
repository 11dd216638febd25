#pragma once

// What the modern pages say about each listed picture, gathered once per build so that the
// index pages and the picture pages agree: the page names, the references and real pixel
// sizes of the thumbnail, the picture and their sharp versions, and the alt text.

#include "base/ProgramState.h"

#include <optional>
#include <string>
#include <vector>

namespace fotoplex {

class TProject;

// One file as a page refers to it: the reference (encoded, relative to the target folder)
// and its pixel size.
struct PageFile {
    std::string reference;
    std::string path; // relative to the target folder, not encoded (for absolute addresses)
    int width = 0;
    int height = 0;
};

struct ModernPicture {
    std::string pageName; // the picture page, as the classic style names it
    std::string anchor;   // the id of its cell on its index page
    int indexPage = 1;    // the index page that shows its thumbnail
    PageFile thumb;
    std::optional<PageFile> sharpThumb; // offered only when it is larger than the thumbnail
    PageFile image;
    std::optional<PageFile> sharpImage;
    std::optional<std::string> caption; // UTF-8, from the photo
    std::string alt;                    // plain text, never empty
};

// One entry per listed file, in list order. The sizes of thumbnails and pictures come from
// the state's size lists (what the jobs wrote); the sharp versions' from their files.
std::vector<ModernPicture> GatherModernPictures(const TProject& project, const ProgramState& state);

// The text of srcset for a file and its sharp version: "a.jpg 1x, a@2x.jpg 2x", the second
// density the real ratio of the widths (1.5x for a source that had only that many pixels).
std::string SourceSet(const PageFile& file, const PageFile& sharp);

} // namespace fotoplex
