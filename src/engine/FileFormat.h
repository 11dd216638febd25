#pragma once

#include <cstdint>

namespace fotoplex {

// The format of the file last read, as `FileParams.Format` holds it. The numbers are fixed:
// other parts of the program and the command line compare against them.
//   0 Unknown (not recognised, unreadable, or a format without a reader)
//   1 Jpeg    2 Gif    3 Png    4 Tiff    5 Bmp (Windows bitmap)    6 Pcx
//   7 Pnm (portable pixmap, greymap and bitmap)    8 Heif (HEIC/HEIF)    9 Avif    10 WebP
//   11 Jp2 (JPEG 2000 file or code stream)    12 Tga (Targa)    13 Ico (Windows icon or cursor)
enum class FileFormat : std::uint8_t {
    Unknown = 0,
    Jpeg = 1,
    Gif = 2,
    Png = 3,
    Tiff = 4,
    Bmp = 5,
    Pcx = 6,
    Pnm = 7,
    Heif = 8,
    Avif = 9,
    WebP = 10,
    Jp2 = 11,
    Tga = 12,
    Ico = 13
};

// The short lower-case name the command line prints: "jpeg", "gif", ... or "unknown".
const char* fileFormatName(FileFormat format);

} // namespace fotoplex
