// A JPEG 2000 file in CMYK is read as four inks turned into RGB, as CMYK JPEG files are; its
// fourth component is not taken for alpha.

#include "TestImages.h"
#include "engine/Decoders.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <openjpeg.h>
#include <vector>

namespace fotoplex {
namespace {

using Ink = std::array<int, 4>; // cyan, magenta, yellow, black

// Writes a lossless JP2 file whose colour box says CMYK, one row of the given inks.
bool writeCmykJp2(const std::string& path, const std::vector<Ink>& inks) {
    const auto width = static_cast<OPJ_UINT32>(inks.size());
    std::array<opj_image_cmptparm_t, 4> parts{};
    for (opj_image_cmptparm_t& p : parts) {
        p.dx = p.dy = 1;
        p.w = width;
        p.h = 1;
        p.prec = 8;
        p.sgnd = 0;
    }
    opj_image_t* image = opj_image_create(4, parts.data(), OPJ_CLRSPC_CMYK);
    if (image == nullptr) {
        return false;
    }
    image->x1 = width;
    image->y1 = 1;
    for (OPJ_UINT32 x = 0; x < width; ++x) {
        for (int c = 0; c < 4; ++c) {
            image->comps[c].data[x] = inks[x][static_cast<std::size_t>(c)];
        }
    }
    opj_cparameters_t parameters;
    opj_set_default_encoder_parameters(&parameters);
    parameters.numresolution = 1;
    parameters.tcp_mct = 0;
    opj_codec_t* codec = opj_create_compress(OPJ_CODEC_JP2);
    opj_stream_t* stream = opj_stream_create_default_file_stream(path.c_str(), OPJ_FALSE);
    const bool written = codec != nullptr && stream != nullptr &&
                         opj_setup_encoder(codec, &parameters, image) &&
                         opj_start_compress(codec, image, stream) && opj_encode(codec, stream) &&
                         opj_end_compress(codec, stream);
    opj_stream_destroy(stream);
    opj_destroy_codec(codec);
    opj_image_destroy(image);
    return written;
}

TEST(Jp2Cmyk, InksAreTurnedIntoRgbWithoutAlpha) {
    const std::vector<Ink> inks = {{0, 0, 0, 0},      {255, 0, 0, 0}, {0, 255, 0, 0},
                                   {0, 0, 255, 0},    {0, 0, 0, 255}, {0, 0, 0, 128},
                                   {100, 50, 200, 30}};
    test::TempFolder folder;
    const std::string path = folder.file("cmyk.jp2");
    ASSERT_TRUE(writeCmykJp2(path, inks));
    // The encoder leaves the colour box's enumerated space at 0; CMYK is 12.
    std::vector<std::uint8_t> data = test::readBytes(path);
    const char* colr = "colr";
    const auto box = std::search(data.begin(), data.end(), colr, colr + 4);
    ASSERT_NE(box, data.end());
    ASSERT_EQ(box[4], 1) << "an enumerated colour space";
    box[10] = 12;
    Picture picture;
    DecodedInfo info;
    JpegDetails jpeg;
    const DecodeResult result = decodeAs(FileFormat::Jp2, data, picture, info, jpeg, false);
    ASSERT_EQ(result.status, DecodeStatus::Complete) << result.reason;
    ASSERT_EQ(picture.width, static_cast<std::int32_t>(inks.size()));
    EXPECT_TRUE(picture.alpha.empty()) << "the black ink is not an alpha channel";
    for (std::size_t x = 0; x < inks.size(); ++x) {
        const int k = 255 - inks[x][3];
        for (int c = 0; c < 3; ++c) {
            const int expected = ((255 - inks[x][static_cast<std::size_t>(c)]) * k + 127) / 255;
            EXPECT_EQ(picture.pixels[3 * x + static_cast<std::size_t>(c)], expected)
                << "pixel " << x << " channel " << c;
        }
    }
}

} // namespace
} // namespace fotoplex
