#pragma once

#include "base/MetadataChoice.h"
#include "engine/jpeg/JpegTypes.h"

#include <vector>

namespace fotoplex {

// The comment and application markers a written picture carries under `choice`:
//  All:        all of them, unchanged.
//  NoLocation: the EXIF block without its GPS part; an EXIF block that cannot be read, and
//              an XMP packet that names a GPS position, are left out, since their location
//              cannot be taken out safely.
//  Profile:    only the ICC profile (its APP2 "ICC_PROFILE" markers, in order).
std::vector<JpegMarker> markersFor(std::vector<JpegMarker> markers, MetadataChoice choice);

// An APP2 marker holding (a part of) an ICC profile.
bool isIccProfile(const JpegMarker& marker);

} // namespace fotoplex
