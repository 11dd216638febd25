#pragma once

// How the target folder's file system compares file names. Linux file systems compare them
// byte for byte; vfat, exFAT and most SMB shares do not tell letter case apart, so
// IMG_1.JPG and img_1.jpg are one file there.

#include <string>

namespace fotoplex {

enum class NameComparison { Exact, FoldCase };

// How the file system of folder (an existing folder) compares names: a probe file with
// mixed case is made, looked for in lower case and removed again. When no probe can be
// made (a read-only folder), the file system's type decides (vfat, exFAT, CIFS/SMB fold).
// A folder that cannot be looked at compares exactly.
NameComparison TargetNameComparison(const std::string& folder);

// The text two names are compared by: the name itself, or with case folded (ASCII and
// the Latin, Greek and Cyrillic letters of UTF-8 names).
std::string ComparisonKey(const std::string& name, NameComparison comparison);

} // namespace fotoplex
