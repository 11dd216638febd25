#include "ui/PictureImage.h"

namespace fotoplex {

namespace {

bool bilevelWhite(const std::uint8_t* row, std::int32_t x) {
    return (row[x / 8] & (0x80 >> (x % 8))) != 0;
}

} // namespace

QImage toQImage(const Picture& picture) {
    if (picture.empty()) {
        return {};
    }
    const bool hasAlpha =
        picture.alpha.size() == static_cast<std::size_t>(picture.width) * picture.height;
    QImage image(picture.width, picture.height,
                 hasAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (std::int32_t y = 0; y < picture.height; ++y) {
        const std::uint8_t* row = picture.row(y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (std::int32_t x = 0; x < picture.width; ++x) {
            int red = 0;
            int green = 0;
            int blue = 0;
            if (picture.format == PixelFormat::Rgb24) {
                red = row[3 * x];
                green = row[3 * x + 1];
                blue = row[3 * x + 2];
            } else {
                red = green = blue = bilevelWhite(row, x) ? 255 : 0;
            }
            const int alpha =
                hasAlpha ? picture.alpha[static_cast<std::size_t>(y) * picture.width + x] : 255;
            out[x] = qRgba(red, green, blue, alpha);
        }
    }
    return image;
}

} // namespace fotoplex
