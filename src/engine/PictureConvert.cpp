#include "engine/PictureConvert.h"

namespace fotoplex {

Picture widenToRgb(const Picture& picture) {
    if (picture.format == PixelFormat::Rgb24) {
        return picture;
    }
    Picture wide = makePicture(picture.width, picture.height, PixelFormat::Rgb24);
    for (std::int32_t y = 0; y < picture.height; ++y) {
        const std::uint8_t* bits = picture.row(y);
        std::uint8_t* rgb = wide.row(y);
        for (std::int32_t x = 0; x < picture.width; ++x) {
            const bool white = (bits[x >> 3] & (0x80 >> (x & 7))) != 0;
            const std::uint8_t value = white ? 255 : 0;
            rgb[3 * x] = value;
            rgb[3 * x + 1] = value;
            rgb[3 * x + 2] = value;
        }
    }
    wide.alpha = picture.alpha;
    return wide;
}

} // namespace fotoplex
