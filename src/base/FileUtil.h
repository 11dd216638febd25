#pragma once

// Small file helpers shared by the gallery writers and the jobs.
//
// "Read-only" is the owner's write permission on Linux: a file without it counts as
// read-only, whoever runs the program (also as root), and clearing the attribute adds it.

#include <cstdint>
#include <string>
#include <vector>

namespace fotoplex {

// Size in bytes of the file at path; 0 when there is none. A folder counts 0 (a directory
// search reports no size for folders), a file of 2 GB or more counts INT32_MAX. Never fails.
std::int32_t FileSizeByName(const std::string& path);

// True when a regular file (or a link to one) lies at path.
bool RegularFileExists(const std::string& path);

// True when both paths name one existing file (the same path, another path to it, or a link).
bool SameFile(const std::string& first, const std::string& second);

// True when path names an existing file without the owner's write permission.
bool IsReadOnlyFile(const std::string& path);

// Copies every byte of source into destination, replacing it whole: the copy is written
// beside it and renamed over it (WholeFile), so a copy that fails leaves the previous
// destination as it was. A read-only destination is replaced all the same; the copy has the
// owner's write permission. The source is never changed: when the destination is the source
// itself (same path, another path, a hard or a symbolic link) the copy fails before anything
// is touched.
// Errors: "Cannot open file %s: reason" (source, also when it cannot be read to the end) and
// "Cannot create file %s: reason" (destination, also when writing it fails); a destination
// that is the source fails with "Cannot create file %s" alone.
void CopyFileReplacing(const std::string& source, const std::string& destination);

// Writes lines as single-byte text, each line (the last one included) followed by CR LF,
// replacing an existing file whole (WholeFile); a file that already holds exactly these bytes
// is left untouched. A read-only file is not replaced: "Cannot create file %s". Any other
// failure: "Cannot create file %s: reason", and the previous file stays as it was.
void WriteTextLines(const std::string& path, const std::vector<std::string>& lines);

} // namespace fotoplex
