#pragma once

#include "engine/Picture.h"
#include "engine/readers/Decode.h"

#include <tiffio.h>

namespace fotoplex {

// Grey and RGB strips whose samples libtiff's RGBA conversion refuses or cuts: 12 and 32-bit
// integers, 32-bit floats, and 16-bit grey (which the conversion truncates). One sample (grey)
// or three (RGB) a pixel, stored top row first; 8 or 16-bit CIELab, which the conversion
// turns into colours cast yellow (its D50 white never adapted to sRGB's D65); and CMYK strips
// of 16-bit inks (the conversion takes 8 bits only) or with an unassociated alpha sample (the
// conversion drops it, or refuses separate planes), contiguous or in separate planes.
bool readsOwnSamples(TIFF* tiff);

// Reads such a picture row by row, every sample rounded to the nearest 8-bit value; floats
// are clipped to the file's sample range (0 to 1 unless it gives one) first. CMYK then turns
// into RGB exactly as libtiff turns 8-bit CMYK.
DecodeResult readOwnSamples(TIFF* tiff, Picture& picture);

} // namespace fotoplex
