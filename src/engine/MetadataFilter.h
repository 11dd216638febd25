#pragma once

#include "base/MetadataChoice.h"
#include "engine/jpeg/JpegTypes.h"

#include <vector>

namespace fotoplex {

// The comment and application markers a written picture carries under `choice`:
//  All:        all of them, unchanged.
//  NoLocation: the EXIF block without its GPS part; an EXIF block that cannot be read, and
//              an XMP packet that names a position, are left out, since their location
//              cannot be taken out safely. An extended XMP packet (spread over several
//              markers) is judged whole, so a name cut between two markers is still seen.
//              Any other marker but the ICC profile goes when mayStateLocation finds a
//              position in it (a Photoshop block with a copy of the EXIF, say).
//  Profile:    only the ICC profile (its APP2 "ICC_PROFILE" markers, in order).
std::vector<JpegMarker> markersFor(std::vector<JpegMarker> markers, MetadataChoice choice);

// As markersFor, in place: which of markers stay (an EXIF block that stays may have been
// changed). Same length as markers.
std::vector<bool> keepMarkers(std::vector<JpegMarker>& markers, MetadataChoice choice);

// An APP2 marker holding (a part of) an ICC profile.
bool isIccProfile(const JpegMarker& marker);

// An APP1 marker holding an EXIF block.
bool isExifMarker(const JpegMarker& marker);

} // namespace fotoplex
