#pragma once

#include <cstdint>
#include <vector>

namespace fotoplex {

enum class ExifLocationResult {
    None,      // a readable EXIF block without a location: left as it was
    Removed,   // the location was taken out
    Unreadable // not a readable EXIF block: whether it holds a location cannot be told
};

// Takes the location out of the payload of an APP1 marker ("Exif\0\0" and a TIFF structure):
// the GPS IFD pointer leaves the main IFD (the entries after it move up, the count drops by
// one) and the bytes of the GPS IFD and of its values are cleared, except where another part
// of the block uses them. Nothing else moves, so every other entry and offset, the maker
// note's included, stays valid. Every offset is checked against the payload's length.
// With `bareAllowed` the block may also be a bare TIFF structure (a PNG eXIf chunk, a WebP
// EXIF chunk).
ExifLocationResult removeExifLocation(std::vector<std::uint8_t>& app1, bool bareAllowed = false);

} // namespace fotoplex
