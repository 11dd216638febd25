#include "engine/OrientationExif.h"

namespace fotoplex {

std::vector<std::uint8_t> orientationOnlyExif(std::uint16_t orientation) {
    const auto high = static_cast<std::uint8_t>(orientation >> 8);
    const auto low = static_cast<std::uint8_t>(orientation & 0xFF);
    // clang-format off
    return {'E', 'x', 'i', 'f', 0, 0,
            'M', 'M', 0, 42, 0, 0, 0, 8,                    // big-endian TIFF, IFD0 at 8
            0, 1,                                           // one entry
            0x01, 0x12, 0, 3, 0, 0, 0, 1, high, low, 0, 0,  // Orientation, one SHORT
            0, 0, 0, 0};                                    // no next IFD
    // clang-format on
}

} // namespace fotoplex
