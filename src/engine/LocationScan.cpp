#include "engine/LocationScan.h"

#include "engine/TiffStructure.h"
#include "engine/XmpLocation.h"

#include <cstring>
#include <string_view>

namespace fotoplex {

namespace {

constexpr std::uint16_t kTagGpsIfd = 0x8825;
constexpr int kMaxIfds = 16;

bool tiffHeaderAt(std::span<const std::uint8_t> file, std::size_t at) {
    return file.size() - at >= 4 && (std::memcmp(file.data() + at, "II*\0", 4) == 0 ||
                                     std::memcmp(file.data() + at, "MM\0*", 4) == 0);
}

} // namespace

bool exifPointsToLocation(std::span<const std::uint8_t> block) {
    const auto tiff = locateTiff(block, true);
    if (!tiff) {
        return false;
    }
    const TiffCursor cursor(tiff->bytes, tiff->bigEndian);
    std::size_t ifd = tiff->ifd0;
    for (int n = 0; n < kMaxIfds && ifd != 0; ++n) {
        const auto count = cursor.u16(ifd);
        if (!count) {
            return false;
        }
        for (std::size_t i = 0; i < *count; ++i) {
            const auto tag = cursor.u16(ifd + 2 + 12 * i);
            if (!tag) {
                return false;
            }
            if (*tag == kTagGpsIfd) {
                return true;
            }
        }
        ifd = cursor.u32(ifd + 2 + 12 * std::size_t{*count}).value_or(0);
    }
    return false;
}

bool mayStateLocation(std::span<const std::uint8_t> file) {
    const std::string_view text(reinterpret_cast<const char*>(file.data()), file.size());
    if (xmpNamesLocation(text)) {
        return true;
    }
    for (std::size_t at = 0; at + 8 <= file.size(); ++at) {
        if (tiffHeaderAt(file, at) && exifPointsToLocation(file.subspan(at))) {
            return true;
        }
    }
    return false;
}

} // namespace fotoplex
