#include "engine/AlphaFlatten.h"

namespace fotoplex {

namespace {

std::uint8_t mixed(std::uint8_t value, std::uint8_t under, std::uint8_t alpha) {
    const unsigned sum = unsigned{value} * alpha + unsigned{under} * (255u - alpha);
    return static_cast<std::uint8_t>((sum + 127u) / 255u);
}

} // namespace

void FlattenOnto(Picture& picture, Rgb background) {
    const std::size_t count = static_cast<std::size_t>(picture.width < 0 ? 0 : picture.width) *
                              static_cast<std::size_t>(picture.height < 0 ? 0 : picture.height);
    if (picture.format != PixelFormat::Rgb24 || picture.alpha.size() != count ||
        picture.pixels.size() < count * 3) {
        return;
    }
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t alpha = picture.alpha[i];
        std::uint8_t* pixel = picture.pixels.data() + 3 * i;
        pixel[0] = mixed(pixel[0], background.red, alpha);
        pixel[1] = mixed(pixel[1], background.green, alpha);
        pixel[2] = mixed(pixel[2], background.blue, alpha);
    }
    picture.alpha.clear();
}

} // namespace fotoplex
