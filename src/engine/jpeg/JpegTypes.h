#pragma once

#include <cstdint>
#include <vector>

namespace fotoplex {

// The colour space a JPEG file holds, and the one `WriteJpegFile` writes.
enum class JpegColorSpace : std::uint8_t { Greyscale, Rgb, YCbCr, Cmyk, Ycck };

// One comment or application marker, kept as it was in the file (payload without the
// marker code and length bytes).
struct JpegMarker {
    std::uint8_t code = 0; // 0xFE for a comment, 0xE0 + n for APPn
    std::vector<std::uint8_t> bytes;

    bool operator==(const JpegMarker&) const = default;
};

// What the JPEG reader finds beyond the pixels and the size.
struct JpegDetails {
    JpegColorSpace colorSpace = JpegColorSpace::YCbCr;
    std::vector<JpegMarker> markers;
};

} // namespace fotoplex
