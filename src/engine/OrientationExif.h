#pragma once

#include <cstdint>
#include <vector>

namespace fotoplex {

// The smallest EXIF block that says how the stored pixels lie: "Exif\0\0" and a TIFF
// structure whose IFD0 holds one Orientation entry. A copy that keeps no other metadata
// keeps this one, or a turned photo would show sideways.
std::vector<std::uint8_t> orientationOnlyExif(std::uint16_t orientation);

} // namespace fotoplex
