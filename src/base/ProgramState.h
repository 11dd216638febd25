#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace fotoplex {

// Pixel sizes of the produced files, as decimal texts, one entry per listed file.
struct SizeLists {
    std::vector<std::string> widths;
    std::vector<std::string> heights;

    void clear() {
        widths.clear();
        heights.clear();
    }
};

// A picture that could not be made (or made only from part of its source), and why.
struct PictureProblem {
    std::string source; // as listed
    std::string reason;
};

// The pictures of one build command that could not be made whole, shown when it ends.
struct PictureProblems {
    std::vector<PictureProblem> failed;
    std::vector<std::string> partial; // sources read only in part, written as far as read
    bool listing = false;             // a command is collecting into this list
    // Pictures that got a distinct name because theirs was taken, one line each; said once
    // when the command ends, not a failure.
    std::vector<std::string> distinctNames;

    bool empty() const { return failed.empty() && partial.empty(); }
};

// The state that lives for the run of the program, owned by whoever runs it (the main
// window or the command-line session) and passed by reference.
struct ProgramState {
    bool imagesBuilt = false;
    bool thumbsBuilt = false;
    bool jobCancelled = false;
    std::uint16_t lastKey = 0; // 27 is Esc
    std::atomic<bool> workerDone{false};

    // Pictures of the current Build Gallery: made by a worker or copied, or found up to date.
    int picturesMade = 0;
    int picturesUpToDate = 0;

    SizeLists imageSizes;
    SizeLists thumbSizes;
    int pageCount = 0;
    std::vector<std::string> pageNames;  // image page names, one per listed file
    std::vector<std::string> indexLines; // lines of the index page being written
    std::string alignText; // the index pages' alignment; kept when Alignment is out of range
    PictureProblems pictureProblems; // of the last build command
};

inline constexpr std::uint16_t kEscapeKey = 27;

} // namespace fotoplex
