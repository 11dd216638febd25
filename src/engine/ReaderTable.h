#pragma once

#include "engine/FileFormat.h"

#include <string>
#include <vector>

namespace fotoplex {

// The text from the last "." after the last path delimiter, lower-cased ("" when none).
std::string lowerCaseExtension(const std::string& path);

// The reader `ReadPictureFile` uses for a path, chosen by its lower-cased extension.
// Unknown for an extension outside the table and for the rows of the table that have no
// reader here (raw fax, metafiles).
FileFormat readerForPath(const std::string& path);

// Every extension that has a reader, with its dot, in the table's order.
std::vector<std::string> readerExtensions();

} // namespace fotoplex
