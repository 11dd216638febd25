#pragma once

#include "engine/dates/DateTaken.h"
#include "filelist/FileOrder.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace fotoplex {

// The one-off orders of the file list's context menu (and of the command line's --sort).
enum class Reordering { ByName, ByDateTaken, Reverse };

// "name", "date" or "reverse"; nothing for another word.
std::optional<Reordering> reorderingNamed(const std::string& word);

// The moment a listed file stands for when ordering by date taken.
using MomentOf = std::function<Moment(const std::string& path)>;

// When the photo was taken as its header says, else the file's modification time; a file
// that cannot be found sorts after every other.
Moment photoMoment(const std::string& path);

// The new order of `files` as indices into it: by name as the sorted list orders (FileOrder),
// by the moment each was taken, or reversed. Ties keep their present order.
std::vector<std::size_t> reorderedIndices(const std::vector<std::string>& files, Reordering how,
                                          const FileOrder& order,
                                          const MomentOf& momentOf = photoMoment);

// Puts `files` into that order; true when the order changed.
bool reorderFiles(std::vector<std::string>& files, Reordering how, const FileOrder& order,
                  const MomentOf& momentOf = photoMoment);

} // namespace fotoplex
