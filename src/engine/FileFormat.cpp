#include "engine/FileFormat.h"

namespace fotoplex {

const char* fileFormatName(FileFormat format) {
    switch (format) {
    case FileFormat::Jpeg:
        return "jpeg";
    case FileFormat::Gif:
        return "gif";
    case FileFormat::Png:
        return "png";
    case FileFormat::Tiff:
        return "tiff";
    case FileFormat::Bmp:
        return "bmp";
    case FileFormat::Pcx:
        return "pcx";
    case FileFormat::Pnm:
        return "pnm";
    case FileFormat::Heif:
        return "heif";
    case FileFormat::Avif:
        return "avif";
    case FileFormat::WebP:
        return "webp";
    case FileFormat::Jp2:
        return "jp2";
    case FileFormat::Tga:
        return "tga";
    case FileFormat::Ico:
        return "ico";
    case FileFormat::Unknown:
        break;
    }
    return "unknown";
}

} // namespace fotoplex
