#include "engine/Decoders.h"

#include "engine/Orientation.h"
#include "engine/jpeg/JpegReader.h"
#include "engine/png/PngReader.h"
#include "engine/tiff/TiffReader.h"

#include <utility>

namespace fotoplex {

DecodeResult decodeAs(FileFormat format, std::span<const std::uint8_t> data, Picture& picture,
                      DecodedInfo& info, JpegDetails& jpeg, bool headerOnly) {
    switch (format) {
    case FileFormat::Jpeg:
        return decodeJpeg(data, picture, info, jpeg, headerOnly);
    case FileFormat::Gif:
        return decodeGif(data, picture, info, headerOnly);
    case FileFormat::Png:
        return decodePng(data, picture, info, headerOnly);
    case FileFormat::Tiff:
        return decodeTiff(data, picture, info, headerOnly);
    case FileFormat::Bmp:
        return decodeBmp(data, picture, info, headerOnly);
    case FileFormat::Pcx:
        return decodePcx(data, picture, info, headerOnly);
    case FileFormat::Pnm:
        return decodePnm(data, picture, info, headerOnly);
    case FileFormat::Unknown:
        break;
    }
    return {DecodeStatus::Failed, "no reader for this format"};
}

DecodeResult decodeUpright(FileFormat format, std::span<const std::uint8_t> data, Picture& picture,
                           DecodedInfo& info, JpegDetails& jpeg, bool headerOnly) {
    DecodeResult result = decodeAs(format, data, picture, info, jpeg, headerOnly);
    if (result.status == DecodeStatus::Failed || info.orientation == 1) {
        return result;
    }
    if (!headerOnly) {
        turnUpright(picture, info.orientation);
    }
    if (orientationSwapsSides(info.orientation)) {
        std::swap(info.width, info.height);
    }
    return result;
}

} // namespace fotoplex
