#pragma once

#include "engine/Picture.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace fotoplex {

// What a reader found out about a file besides its pixels.
struct DecodedInfo {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t resolutionX = 0; // dots per inch, 0 when the file gives none
    std::int32_t resolutionY = 0;
    // Carried into JPEG output when the file has them (a reader may leave them empty in
    // header mode).
    std::vector<std::uint8_t> iccProfile; // the colour profile, as stored
    std::vector<std::uint8_t> exif;       // the EXIF TIFF structure, from its "II"/"MM" on
    // How the file says the pixels handed out are stored (EXIF numbering, 1 upright); the
    // engine turns them upright after the reader (decodeUpright).
    std::uint16_t orientation = 1;
};

enum class DecodeStatus {
    Complete,   // the whole picture was read
    Incomplete, // damaged or cut data: the picture holds what was read (rows not reached are black)
    Failed      // not this format, or a header that cannot be used: no picture
};

struct DecodeResult {
    DecodeStatus status = DecodeStatus::Failed;
    std::string reason; // short fixed text saying why, when not Complete
};

// The shape of the in-memory readers (the JPEG reader takes a JpegDetails besides). With
// headerOnly set, only `info` is filled and `picture` is left alone. No input may read out of
// bounds, crash or hang, or make a reader allocate a picture its data could not hold
// (pictureFitsData, within kMaxPixels).
using DecodeFunction = DecodeResult (*)(std::span<const std::uint8_t> data, Picture& picture,
                                        DecodedInfo& info, bool headerOnly);

DecodeResult decodeGif(std::span<const std::uint8_t> data, Picture& picture, DecodedInfo& info,
                       bool headerOnly);
DecodeResult decodeBmp(std::span<const std::uint8_t> data, Picture& picture, DecodedInfo& info,
                       bool headerOnly);
DecodeResult decodePcx(std::span<const std::uint8_t> data, Picture& picture, DecodedInfo& info,
                       bool headerOnly);
DecodeResult decodePnm(std::span<const std::uint8_t> data, Picture& picture, DecodedInfo& info,
                       bool headerOnly);
DecodeResult decodeTga(std::span<const std::uint8_t> data, Picture& picture, DecodedInfo& info,
                       bool headerOnly);
DecodeResult decodeIco(std::span<const std::uint8_t> data, Picture& picture, DecodedInfo& info,
                       bool headerOnly);

} // namespace fotoplex
