#pragma once

#include "base/MetadataChoice.h"

#include <string>

namespace fotoplex {

enum class CopyOutcome {
    Copied,      // the copy is in place
    LocationKept // the location could not be taken out: nothing was published
};

inline constexpr const char* kLocationNotRemoved = "its location could not be removed";

// The image job's plain copy (resizing off), carrying the source's metadata as `choice`
// says (fileWithMetadata): JPEG, PNG and WebP have their metadata filtered while their
// compressed pictures stay byte for byte; another format is copied as it is when nothing in
// it states a location. With `All` it is exactly CopyFileReplacing.
//
// Otherwise the copy is made in memory and written whole: into a temporary file beside the
// destination, renamed over it, so that an interrupted copy never leaves a file with the
// location at the published name. A source whose location cannot be taken out gives
// LocationKept, and no file is left at the destination.
// Errors: "Cannot open file %s" (the source) and "Cannot create file %s" (the destination,
// also when it is the source itself).
CopyOutcome CopyWithMetadata(const std::string& source, const std::string& destination,
                             MetadataChoice choice);

} // namespace fotoplex
