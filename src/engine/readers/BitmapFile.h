#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace fotoplex {

// The size of a Windows bitmap's file header ("BM", sizes and the pixel offset).
inline constexpr std::size_t kBitmapFileHeaderSize = 14;

// A bitmap without its file header (a .dib from the clipboard, an icon's image) behind a file
// header of our own, for the bitmap reader: its pixel offset 0 lets the pixels follow the
// palette.
std::vector<std::uint8_t> withFileHeader(std::span<const std::uint8_t> dib);

} // namespace fotoplex
