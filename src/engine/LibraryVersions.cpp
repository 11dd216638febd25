#include "engine/LibraryVersions.h"

#include <cstdio>
#include <libheif/heif.h>
#include <openjpeg.h>
#include <png.h>
#include <tiffio.h>
#include <webp/decode.h>
#include <zlib.h>

// jpeglib.h needs size_t and FILE declared before it.
#include <jerror.h>
#include <jpeglib.h>

namespace fotoplex {

namespace {

// libjpeg names itself only through its message table; the table is the loaded library's.
std::string jpegVersion() {
    jpeg_error_mgr errors{};
    jpeg_std_error(&errors);
    std::string text = "jpeg ";
    for (const int code : {static_cast<int>(JMSG_VERSION), static_cast<int>(JMSG_COPYRIGHT)}) {
        if (code <= errors.last_jpeg_message && errors.jpeg_message_table[code] != nullptr) {
            text += errors.jpeg_message_table[code];
            text += ' ';
        }
    }
#ifdef LIBJPEG_TURBO_VERSION_NUMBER
    text += std::to_string(LIBJPEG_TURBO_VERSION_NUMBER);
#endif
    return text;
}

// A version number in hexadecimal (WebP's packed 0xMMmmpp).
std::string hex(int number) {
    char text[16];
    std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(number));
    return text;
}

} // namespace

std::string pixelLibraryVersions() {
    std::string text = jpegVersion();
    text += "; png " + std::to_string(png_access_version_number());
    text += "; zlib ";
    text += zlibVersion();
    text += "; ";
    text += TIFFGetVersion();
    text += "; heif ";
    text += heif_get_version();
    text += "; webp " + hex(WebPGetDecoderVersion());
    text += "; openjpeg ";
    text += opj_version();
    for (char& c : text) {
        if (c == '\n' || c == '\r' || c == '\t') {
            c = ' '; // libtiff names itself over several lines
        }
    }
    return text;
}

} // namespace fotoplex
