#pragma once

#include <string>

namespace fotoplex {

// The versions of the libraries that shape a picture's pixels, as loaded at run time (a
// library updated under an unchanged program makes other bytes): libjpeg, libpng, zlib,
// libtiff, libheif, libwebp and OpenJPEG. One line, the same for the life of the process.
std::string pixelLibraryVersions();

} // namespace fotoplex
