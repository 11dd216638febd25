#pragma once

#include "engine/Picture.h"
#include "engine/jpeg/JpegTypes.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace fotoplex {

struct JpegWriteSettings {
    int quality = 75;
    bool progressive = false;
    JpegColorSpace colorSpace = JpegColorSpace::YCbCr;
    std::int32_t dotsPerInchX = 96; // already resolved: never 0
    std::int32_t dotsPerInchY = 96;
    const std::vector<JpegMarker>* markers = nullptr; // written after the header, in order
};

// Writes a 24-bit picture as JPEG into an open file: integer DCT, no Huffman optimisation,
// no smoothing, baseline-limited tables, the standard progressive script when asked.
// CMYK and YCCK are written with Adobe-inverted inks. Returns false on a codec error
// (an empty picture is one); whatever was written so far stays in the file.
bool writeJpeg(std::FILE* file, const Picture& picture, const JpegWriteSettings& settings);

// RGB to inverted inks (255 meaning no ink), the inverse of what the reader does for Adobe
// files, so that a round trip keeps the colours.
void rgbToInvertedCmyk(const std::uint8_t* rgb, std::uint8_t* cmyk, std::size_t width);

} // namespace fotoplex
