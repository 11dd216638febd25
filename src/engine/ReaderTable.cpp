#include "engine/ReaderTable.h"

#include "base/Text.h"

#include <string_view>

namespace fotoplex {

namespace {

struct ReaderRow {
    std::string_view extension;
    FileFormat format;
};

constexpr ReaderRow kReaders[] = {
    {".jpg", FileFormat::Jpeg},  {".jpeg", FileFormat::Jpeg}, {".jpe", FileFormat::Jpeg},
    {".gif", FileFormat::Gif},   {".png", FileFormat::Png},   {".tif", FileFormat::Tiff},
    {".tiff", FileFormat::Tiff}, {".fax", FileFormat::Tiff},  {".bmp", FileFormat::Bmp},
    {".dib", FileFormat::Bmp},   {".rle", FileFormat::Bmp},   {".pcx", FileFormat::Pcx},
    {".pxm", FileFormat::Pnm},   {".ppm", FileFormat::Pnm},   {".pgm", FileFormat::Pnm},
    {".pbm", FileFormat::Pnm},   {".pnm", FileFormat::Pnm},   {".heic", FileFormat::Heif},
    {".heif", FileFormat::Heif}, {".hif", FileFormat::Heif},  {".avif", FileFormat::Avif},
    {".webp", FileFormat::WebP}, {".jp2", FileFormat::Jp2},   {".j2k", FileFormat::Jp2},
    {".jpc", FileFormat::Jp2},   {".tga", FileFormat::Tga},   {".targa", FileFormat::Tga},
    {".vda", FileFormat::Tga},   {".icb", FileFormat::Tga},   {".vst", FileFormat::Tga},
    {".win", FileFormat::Tga},   {".ico", FileFormat::Ico},   {".cur", FileFormat::Ico},
};

} // namespace

std::string lowerCaseExtension(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return {};
    }
    return toLowerAscii(path.substr(dot));
}

FileFormat readerForPath(const std::string& path) {
    const std::string extension = lowerCaseExtension(path);
    for (const ReaderRow& row : kReaders) {
        if (row.extension == extension) {
            return row.format;
        }
    }
    return FileFormat::Unknown;
}

} // namespace fotoplex

namespace fotoplex {

std::vector<std::string> readerExtensions() {
    std::vector<std::string> extensions;
    for (const ReaderRow& row : kReaders) {
        extensions.emplace_back(row.extension);
    }
    return extensions;
}

} // namespace fotoplex
