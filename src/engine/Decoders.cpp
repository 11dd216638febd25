#include "engine/Decoders.h"

#include "engine/Exif.h"
#include "engine/Orientation.h"
#include "engine/heif/HeifReader.h"
#include "engine/jp2/Jp2Reader.h"
#include "engine/jpeg/JpegReader.h"
#include "engine/png/PngReader.h"
#include "engine/tiff/TiffReader.h"
#include "engine/webp/WebpReader.h"

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
    case FileFormat::Heif:
    case FileFormat::Avif:
        return decodeHeif(data, picture, info, headerOnly);
    case FileFormat::WebP:
        return decodeWebp(data, picture, info, headerOnly);
    case FileFormat::Jp2:
        return decodeJp2(data, picture, info, headerOnly);
    case FileFormat::Tga:
        return decodeTga(data, picture, info, headerOnly);
    case FileFormat::Ico:
        return decodeIco(data, picture, info, headerOnly);
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
        setExifOrientationUpright(info.exif); // the EXIF block carried from a PNG or WebP
    }
    if (orientationSwapsSides(info.orientation)) {
        std::swap(info.width, info.height);
    }
    return result;
}

} // namespace fotoplex
