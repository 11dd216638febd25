// Stands in until the GIF, bitmap, PCX and portable pixmap readers land.
#include "engine/readers/Decode.h"

namespace fotoplex {

namespace {

DecodeResult notBuiltYet() {
    return {DecodeStatus::Failed, "not built yet"};
}

} // namespace

DecodeResult decodeGif(std::span<const std::uint8_t>, Picture&, DecodedInfo&, bool) {
    return notBuiltYet();
}
DecodeResult decodeBmp(std::span<const std::uint8_t>, Picture&, DecodedInfo&, bool) {
    return notBuiltYet();
}
DecodeResult decodePcx(std::span<const std::uint8_t>, Picture&, DecodedInfo&, bool) {
    return notBuiltYet();
}
DecodeResult decodePnm(std::span<const std::uint8_t>, Picture&, DecodedInfo&, bool) {
    return notBuiltYet();
}

} // namespace fotoplex
