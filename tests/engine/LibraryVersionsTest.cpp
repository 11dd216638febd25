// The build record's identity names the loaded version of every library that shapes pixels,
// so that a library updated under an unchanged program has every picture made again.
#include "engine/LibraryVersions.h"

#include <gtest/gtest.h>
#include <libheif/heif.h>
#include <openjpeg.h>
#include <png.h>
#include <string>
#include <tiffio.h>
#include <webp/decode.h>
#include <zlib.h>

namespace fotoplex {
namespace {

TEST(LibraryVersions, NameEveryPixelLibraryAsLoaded) {
    const std::string text = pixelLibraryVersions();
    const std::string tiff = TIFFGetVersion();
    for (const std::string& version :
         {"png " + std::to_string(png_access_version_number()), std::string(zlibVersion()),
          tiff.substr(0, tiff.find('\n')), std::string(heif_get_version()),
          std::string(opj_version())}) {
        EXPECT_NE(text.find(version), std::string::npos) << version << " not in " << text;
    }
    char webp[16];
    std::snprintf(webp, sizeof webp, "webp %x", static_cast<unsigned>(WebPGetDecoderVersion()));
    EXPECT_NE(text.find(webp), std::string::npos) << text;
    EXPECT_NE(text.find("jpeg "), std::string::npos) << text;
    EXPECT_GT(text.find("; png"), text.find("jpeg ") + 6) << "libjpeg says nothing: " << text;
    EXPECT_EQ(text.find_first_of("\t\r\n"), std::string::npos) << "one line: " << text;
}

} // namespace
} // namespace fotoplex
