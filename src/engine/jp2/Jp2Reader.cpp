#include "engine/jp2/Jp2Reader.h"

#include "engine/PictureConvert.h"
#include "engine/readers/DecodeResults.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <openjpeg.h>
#include <vector>

namespace fotoplex {

namespace {

constexpr std::uint8_t kJp2Signature[] = {0, 0, 0, 12, 'j', 'P', ' ', ' ', 13, 10, 0x87, 10};
constexpr std::uint8_t kJ2kSignature[] = {0xFF, 0x4F, 0xFF, 0x51};
// The codec keeps every component of the whole picture as 32-bit samples; this many
// components at most are decoded (grey, colour, alpha and one spare).
constexpr std::uint32_t kMaxComponents = 4;

struct MemorySource {
    std::span<const std::uint8_t> data;
    std::size_t position = 0;
};

OPJ_SIZE_T readBytes(void* buffer, OPJ_SIZE_T count, void* user) {
    auto* source = static_cast<MemorySource*>(user);
    const std::size_t left = source->data.size() - source->position;
    if (left == 0) {
        return static_cast<OPJ_SIZE_T>(-1);
    }
    const std::size_t n = std::min<std::size_t>(count, left);
    std::memcpy(buffer, source->data.data() + source->position, n);
    source->position += n;
    return n;
}

OPJ_OFF_T skipBytes(OPJ_OFF_T count, void* user) {
    auto* source = static_cast<MemorySource*>(user);
    const auto left = static_cast<OPJ_OFF_T>(source->data.size() - source->position);
    if (count < 0 || count > left) {
        return -1;
    }
    source->position += static_cast<std::size_t>(count);
    return count;
}

OPJ_BOOL seekTo(OPJ_OFF_T offset, void* user) {
    auto* source = static_cast<MemorySource*>(user);
    if (offset < 0 || static_cast<std::uint64_t>(offset) > source->data.size()) {
        return OPJ_FALSE;
    }
    source->position = static_cast<std::size_t>(offset);
    return OPJ_TRUE;
}

void ignoreMessage(const char*, void*) {}
// Warnings and errors while decoding mean the code stream was damaged or cut.
void noteDamage(const char*, void* damaged) {
    *static_cast<bool*>(damaged) = true;
}

struct CodecDestroy {
    void operator()(opj_codec_t* c) const { opj_destroy_codec(c); }
};
struct StreamDestroy {
    void operator()(opj_stream_t* s) const { opj_stream_destroy(s); }
};
struct ImageDestroy {
    void operator()(opj_image_t* i) const { opj_image_destroy(i); }
};

std::unique_ptr<opj_stream_t, StreamDestroy> memoryStream(MemorySource& source) {
    std::unique_ptr<opj_stream_t, StreamDestroy> stream(opj_stream_create(64 * 1024, OPJ_TRUE));
    if (stream) {
        opj_stream_set_read_function(stream.get(), readBytes);
        opj_stream_set_skip_function(stream.get(), skipBytes);
        opj_stream_set_seek_function(stream.get(), seekTo);
        opj_stream_set_user_data(stream.get(), &source, nullptr);
        opj_stream_set_user_data_length(stream.get(), source.data.size());
    }
    return stream;
}

// One component as it maps onto the picture: its samples, stretch and scale to 8 bits.
struct Channel {
    const opj_image_comp_t* comp = nullptr;
    std::int64_t offset = 0; // added to signed samples
    double scale = 1;

    explicit Channel(const opj_image_comp_t* c) : comp(c) {
        const std::uint32_t precision = std::clamp<std::uint32_t>(c->prec, 1, 31);
        offset = c->sgnd != 0 ? std::int64_t{1} << (precision - 1) : 0;
        scale = 255.0 / static_cast<double>((std::int64_t{1} << precision) - 1);
    }

    double at(std::uint32_t x, std::uint32_t y) const {
        const std::uint32_t cx = std::min(comp->w - 1, x / std::max(1u, comp->dx));
        const std::uint32_t cy = std::min(comp->h - 1, y / std::max(1u, comp->dy));
        const std::int64_t v = comp->data[std::size_t{cy} * comp->w + cx] + offset;
        return static_cast<double>(v) * scale;
    }
};

std::uint8_t toByte(double v) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 255.0)));
}

bool usable(const opj_image_t& image) {
    if (image.numcomps == 0 || image.numcomps > kMaxComponents) {
        return false;
    }
    for (std::uint32_t i = 0; i < image.numcomps; ++i) {
        const opj_image_comp_t& c = image.comps[i];
        if (c.data == nullptr || c.w == 0 || c.h == 0 || c.prec == 0 || c.prec > 31) {
            return false;
        }
    }
    return true;
}

// Four inks, turned into RGB as CMYK JPEG files are.
void copyCmyk(const opj_image_t& image, Picture& picture) {
    const Channel inks[4] = {Channel(&image.comps[0]), Channel(&image.comps[1]),
                             Channel(&image.comps[2]), Channel(&image.comps[3])};
    const auto width = static_cast<std::uint32_t>(picture.width);
    std::vector<std::uint8_t> row(std::size_t{width} * 4);
    for (std::uint32_t y = 0; y < static_cast<std::uint32_t>(picture.height); ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            for (std::size_t c = 0; c < 4; ++c) {
                row[std::size_t{x} * 4 + c] = toByte(inks[c].at(x, y));
            }
        }
        cmykToRgb(row.data(), picture.row(static_cast<std::int32_t>(y)), width, false);
    }
}

// Fills the picture from the decoded components: grey, grey and alpha, RGB (or sYCC), RGB
// with alpha, and CMYK.
void copyComponents(const opj_image_t& image, Picture& picture) {
    if (image.numcomps == 4 && image.color_space == OPJ_CLRSPC_CMYK) {
        copyCmyk(image, picture);
        return;
    }
    const std::uint32_t n = image.numcomps;
    const bool colour = n >= 3;
    const bool hasAlpha = n == 2 || n == 4;
    const bool ycc =
        colour && (image.color_space == OPJ_CLRSPC_SYCC || image.color_space == OPJ_CLRSPC_EYCC);
    const Channel first(&image.comps[0]);
    const Channel second(&image.comps[colour ? 1 : 0]);
    const Channel third(&image.comps[colour ? 2 : 0]);
    const Channel alpha(&image.comps[hasAlpha ? n - 1 : 0]);
    const auto width = static_cast<std::uint32_t>(picture.width);
    if (hasAlpha) {
        picture.alpha.assign(std::size_t{width} * static_cast<std::size_t>(picture.height), 255);
    }
    for (std::uint32_t y = 0; y < static_cast<std::uint32_t>(picture.height); ++y) {
        std::uint8_t* out = picture.row(static_cast<std::int32_t>(y));
        for (std::uint32_t x = 0; x < width; ++x, out += 3) {
            double r = first.at(x, y);
            double g = second.at(x, y);
            double b = third.at(x, y);
            if (ycc) {
                const double cb = g - 128;
                const double cr = b - 128;
                const double luma = r;
                r = luma + 1.402 * cr;
                g = luma - 0.344136 * cb - 0.714136 * cr;
                b = luma + 1.772 * cb;
            }
            out[0] = toByte(r);
            out[1] = toByte(g);
            out[2] = toByte(b);
            if (hasAlpha) {
                picture.alpha[std::size_t{y} * width + x] = toByte(alpha.at(x, y));
            }
        }
    }
}

} // namespace

bool isJp2File(std::span<const std::uint8_t> data) {
    return data.size() >= sizeof kJp2Signature &&
           std::memcmp(data.data(), kJp2Signature, sizeof kJp2Signature) == 0;
}

bool isJ2kCodeStream(std::span<const std::uint8_t> data) {
    return data.size() >= sizeof kJ2kSignature &&
           std::memcmp(data.data(), kJ2kSignature, sizeof kJ2kSignature) == 0;
}

DecodeResult decodeJp2(std::span<const std::uint8_t> data, Picture& picture, DecodedInfo& info,
                       bool headerOnly) {
    const bool file = isJp2File(data);
    if (!file && !isJ2kCodeStream(data)) {
        return decodeFailed("JPEG 2000: not a JP2 file or code stream");
    }
    const std::unique_ptr<opj_codec_t, CodecDestroy> codec(
        opj_create_decompress(file ? OPJ_CODEC_JP2 : OPJ_CODEC_J2K));
    MemorySource source{data};
    const auto stream = memoryStream(source);
    opj_dparameters_t parameters;
    opj_set_default_decoder_parameters(&parameters);
    bool damaged = false;
    if (!codec || !stream || !opj_setup_decoder(codec.get(), &parameters)) {
        return decodeFailed("JPEG 2000: out of memory");
    }
    opj_set_info_handler(codec.get(), ignoreMessage, nullptr);
    opj_set_warning_handler(codec.get(), ignoreMessage, nullptr);
    opj_set_error_handler(codec.get(), ignoreMessage, nullptr);
    opj_image_t* rawImage = nullptr;
    const bool headerRead = opj_read_header(stream.get(), codec.get(), &rawImage) != 0;
    const std::unique_ptr<opj_image_t, ImageDestroy> image(rawImage);
    if (!headerRead || !image || image->x1 <= image->x0 || image->y1 <= image->y0) {
        return decodeFailed("JPEG 2000: not a readable header");
    }
    info.width =
        static_cast<std::int32_t>(std::min<std::uint32_t>(image->x1 - image->x0, INT32_MAX));
    info.height =
        static_cast<std::int32_t>(std::min<std::uint32_t>(image->y1 - image->y0, INT32_MAX));
    if (headerOnly) {
        return decodeComplete();
    }
    if (!pictureFitsData(info.width, info.height, data.size(), expansion::kLibraryCodec)) {
        return decodeFailed("JPEG 2000: picture larger than its data");
    }
    if (image->numcomps == 0 || image->numcomps > kMaxComponents) {
        return decodeFailed("JPEG 2000: unsupported number of components");
    }
    opj_set_warning_handler(codec.get(), noteDamage, &damaged);
    opj_set_error_handler(codec.get(), noteDamage, &damaged);
    const bool decoded = opj_decode(codec.get(), stream.get(), image.get()) != 0 &&
                         opj_end_decompress(codec.get(), stream.get()) != 0;
    if (!usable(*image)) {
        return decodeFailed("JPEG 2000: damaged code stream");
    }
    Picture result = makePicture(info.width, info.height, PixelFormat::Rgb24);
    copyComponents(*image, result);
    if (image->icc_profile_buf != nullptr && image->icc_profile_len > 0) {
        info.iccProfile.assign(image->icc_profile_buf,
                               image->icc_profile_buf + image->icc_profile_len);
    }
    picture = std::move(result);
    return decoded && !damaged ? decodeComplete()
                               : decodeIncomplete("JPEG 2000: damaged code stream");
}

} // namespace fotoplex
