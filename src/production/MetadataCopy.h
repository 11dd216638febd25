#pragma once

#include "base/MetadataChoice.h"

#include <string>

namespace fotoplex {

// The image job's plain copy (resizing off), carrying the source's metadata as `choice` says:
// the copy of a JPEG has its markers filtered while its compressed picture stays byte for
// byte; any other file is copied as it is. With `All` it is exactly CopyFileReplacing.
// Errors: those of CopyFileReplacing, and "Cannot create file %s" when the filtered copy
// cannot be written.
void CopyWithMetadata(const std::string& source, const std::string& destination,
                      MetadataChoice choice);

} // namespace fotoplex
