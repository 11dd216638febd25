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

namespace fotoplex {

void cmykToRgb(const std::uint8_t* cmyk, std::uint8_t* rgb, std::size_t width, bool inverted) {
    const unsigned flip = inverted ? 0 : 255;
    for (std::size_t i = 0; i < width; ++i, cmyk += 4, rgb += 3) {
        const unsigned k = cmyk[3] ^ flip;
        rgb[0] = static_cast<std::uint8_t>(((cmyk[0] ^ flip) * k + 127) / 255);
        rgb[1] = static_cast<std::uint8_t>(((cmyk[1] ^ flip) * k + 127) / 255);
        rgb[2] = static_cast<std::uint8_t>(((cmyk[2] ^ flip) * k + 127) / 255);
    }
}

Picture makeRgbaPicture(std::int32_t width, std::int32_t height) {
    Picture p;
    p.width = width;
    p.height = height;
    p.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4, 0);
    return p;
}

void splitAlpha(const std::uint8_t* rgba, Picture& picture, bool keepAlpha) {
    const std::size_t count =
        static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
    if (keepAlpha) {
        picture.alpha.resize(count);
    }
    std::uint8_t* rgb = picture.pixels.data();
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t r = rgba[4 * i];
        const std::uint8_t g = rgba[4 * i + 1];
        const std::uint8_t b = rgba[4 * i + 2];
        if (keepAlpha) {
            picture.alpha[i] = rgba[4 * i + 3];
        }
        rgb[3 * i] = r;
        rgb[3 * i + 1] = g;
        rgb[3 * i + 2] = b;
    }
    picture.pixels.resize(count * 3);
}

} // namespace fotoplex
