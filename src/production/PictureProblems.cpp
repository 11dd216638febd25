#include "production/PictureProblems.h"

#include "production/OutputNaming.h"

#include <algorithm>

namespace fotoplex {

namespace {

std::string pictures(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " picture" : " pictures");
}

std::string andMore(std::size_t total) {
    return total > kListedPictureProblems
               ? "and " + std::to_string(total - kListedPictureProblems) + " more"
               : std::string();
}

std::string failedLines(const std::vector<PictureProblem>& failed) {
    std::string text = pictures(failed.size()) + " could not be made:\n";
    const std::size_t shown = std::min(failed.size(), kListedPictureProblems);
    for (std::size_t i = 0; i < shown; ++i) {
        text += failed[i].source + ": " + failed[i].reason + "\n";
    }
    const std::string more = andMore(failed.size());
    return more.empty() ? text : text + more + "\n";
}

std::string partialLine(const std::vector<std::string>& partial) {
    std::string line = pictures(partial.size()) + (partial.size() == 1 ? " was" : " were") +
                       " read only in part (damaged data, written as far as read): ";
    const std::size_t shown = std::min(partial.size(), kListedPictureProblems);
    for (std::size_t i = 0; i < shown; ++i) {
        line += (i == 0 ? "" : ", ") + SourceFileName(partial[i]);
    }
    const std::string more = andMore(partial.size());
    return more.empty() ? line : line + ", " + more;
}

// Clears the list for the outermost command and marks it open until that command ends.
class ListingScope {
public:
    explicit ListingScope(PictureProblems& problems)
        : problems_(problems), outermost_(!problems.listing) {
        if (outermost_) {
            problems_.failed.clear();
            problems_.partial.clear();
            problems_.distinctNames.clear();
            problems_.listing = true;
        }
    }
    ~ListingScope() {
        if (outermost_) {
            problems_.listing = false;
        }
    }
    ListingScope(const ListingScope&) = delete;
    ListingScope& operator=(const ListingScope&) = delete;

    void show(Dialogs& dialogs) const {
        const std::string text = outermost_ ? PictureProblemsText(problems_) : std::string();
        if (!text.empty()) {
            dialogs.showWarning("Warning", text);
        }
        const std::string names =
            outermost_ ? DistinctNamesText(problems_.distinctNames) : std::string();
        if (!names.empty()) {
            dialogs.showNotice("Information", names);
        }
    }

private:
    PictureProblems& problems_;
    bool outermost_;
};

} // namespace

void NotePictureFailed(PictureProblems& problems, const std::string& source,
                       const std::string& reason) {
    const bool known =
        std::any_of(problems.failed.begin(), problems.failed.end(),
                    [&](const auto& p) { return p.source == source && p.reason == reason; });
    if (!known) {
        problems.failed.push_back({source, reason});
    }
}

void NotePicturePartial(PictureProblems& problems, const std::string& source) {
    if (std::find(problems.partial.begin(), problems.partial.end(), source) ==
        problems.partial.end()) {
        problems.partial.push_back(source);
    }
}

std::string PictureProblemsText(const PictureProblems& problems) {
    std::string text = problems.failed.empty() ? std::string() : failedLines(problems.failed);
    if (!problems.partial.empty()) {
        text += partialLine(problems.partial);
    } else if (!text.empty()) {
        text.pop_back(); // no line break after the last line
    }
    return text;
}

std::string DistinctNamesText(const std::vector<std::string>& lines) {
    if (lines.empty()) {
        return {};
    }
    std::string text = pictures(lines.size()) + " got a distinct name, as theirs was taken:";
    const std::size_t shown = std::min(lines.size(), kListedPictureProblems);
    for (std::size_t i = 0; i < shown; ++i) {
        text += "\n" + lines[i];
    }
    const std::string more = andMore(lines.size());
    return more.empty() ? text : text + "\n" + more;
}

void RunListingPictureProblems(PictureProblems& problems, Dialogs& dialogs,
                               const std::function<void()>& command) {
    const ListingScope scope(problems);
    try {
        command();
    } catch (...) {
        scope.show(dialogs);
        throw;
    }
    scope.show(dialogs);
}

} // namespace fotoplex
