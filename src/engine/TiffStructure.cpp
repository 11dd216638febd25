#include "engine/TiffStructure.h"

namespace fotoplex {

std::optional<TiffBody> locateTiff(std::span<const std::uint8_t> block, bool bareAllowed) {
    TiffBody t;
    if (hasExifIdentifier(block)) {
        t.skipped = kExifIdentifier.size();
    } else if (!bareAllowed) {
        return std::nullopt;
    }
    t.bytes = block.subspan(t.skipped);
    if (t.bytes.size() < 8) {
        return std::nullopt;
    }
    if (t.bytes[0] == 'M' && t.bytes[1] == 'M') {
        t.bigEndian = true;
    } else if (!(t.bytes[0] == 'I' && t.bytes[1] == 'I')) {
        return std::nullopt;
    }
    const TiffCursor tiff(t.bytes, t.bigEndian);
    const auto magic = tiff.u16(2);
    const auto ifdOffset = tiff.u32(4);
    if (!magic || *magic != 42 || !ifdOffset) {
        return std::nullopt;
    }
    t.ifd0 = *ifdOffset;
    return t;
}

} // namespace fotoplex
