#pragma once

#include <functional>
#include <string>

namespace fotoplex {

// Compares two texts without regard to case: negative, zero or positive. The window passes
// a comparison in the user's locale; the default below serves the command line and tests.
using TextCompare = std::function<int(const std::string&, const std::string&)>;

// Ignores the case of A to Z and orders by the C library's collation of the present locale
// (byte order in the "C" locale).
int compareIgnoringCase(const std::string& a, const std::string& b);

// The order of the sorted list. Rows are ordered by the file names they show and the
// project's paths would be ordered by the full paths; both lists are kept as one, so entries
// are ordered by file name first and by full path where names tie. For files from one
// folder this is both orders at once.
class FileOrder {
public:
    explicit FileOrder(TextCompare compare) : compare_(std::move(compare)) {}

    // Whether the entry with path a sorts strictly before the one with path b.
    bool before(const std::string& a, const std::string& b) const;

private:
    TextCompare compare_;
};

} // namespace fotoplex
