#pragma once

#include <string_view>

namespace fotoplex {

// True when an XMP text names a position on the earth: a property such as GPSLatitude,
// GPSLongitude, GPSDestLatitude, GPSDestLongitude or a vendor's own (GpsLatitude,
// drone-dji:GpsLongitude), in any letter case. Any name holding "latitude" or "longitude"
// counts, so that a vendor's spelling we have not seen still does.
bool xmpNamesLocation(std::string_view xmp);

} // namespace fotoplex
