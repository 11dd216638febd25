#include "engine/jpeg/JpegWriter.h"

#include "engine/jpeg/JpegError.h"

#include <algorithm>

namespace fotoplex {

namespace {

constexpr int kRowsPerCall = 16;

// Owns one libjpeg compression object. Plain data only, so that it survives a longjmp.
struct Compressor {
    jpeg_compress_struct codec{};
    JpegErrorManager errors{};
    bool created = false;

    Compressor() = default;
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;
    ~Compressor() {
        if (created) {
            jpeg_destroy_compress(&codec);
        }
    }
};

bool inks(JpegColorSpace space) {
    return space == JpegColorSpace::Cmyk || space == JpegColorSpace::Ycck;
}

J_COLOR_SPACE libraryColorSpace(JpegColorSpace space) {
    switch (space) {
    case JpegColorSpace::Greyscale:
        return JCS_GRAYSCALE;
    case JpegColorSpace::Rgb:
        return JCS_RGB;
    case JpegColorSpace::Cmyk:
        return JCS_CMYK;
    case JpegColorSpace::Ycck:
        return JCS_YCCK;
    case JpegColorSpace::YCbCr:
        break;
    }
    return JCS_YCbCr;
}

UINT16 density(std::int32_t dotsPerInch) {
    return static_cast<UINT16>(std::clamp<std::int32_t>(dotsPerInch, 1, 65535));
}

// --- The setjmp boundaries: each touches libjpeg and only trivially destructible locals. ---

bool startCompress(Compressor* c, std::FILE* file, const Picture* picture,
                   const JpegWriteSettings* settings) {
    c->codec.err = attachJpegErrors(c->errors);
    if (setjmp(c->errors.jump)) {
        return false;
    }
    jpeg_create_compress(&c->codec);
    c->created = true;
    jpeg_stdio_dest(&c->codec, file);
    c->codec.image_width = static_cast<JDIMENSION>(picture->width < 0 ? 0 : picture->width);
    c->codec.image_height = static_cast<JDIMENSION>(picture->height < 0 ? 0 : picture->height);
    const bool fourInks = inks(settings->colorSpace);
    c->codec.input_components = fourInks ? 4 : 3;
    c->codec.in_color_space = fourInks ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&c->codec);
    jpeg_set_colorspace(&c->codec, libraryColorSpace(settings->colorSpace));
    c->codec.density_unit = 1;
    c->codec.X_density = density(settings->dotsPerInchX);
    c->codec.Y_density = density(settings->dotsPerInchY);
    c->codec.dct_method = JDCT_ISLOW;
    c->codec.optimize_coding = FALSE;
    c->codec.smoothing_factor = 0;
    jpeg_set_quality(&c->codec, settings->quality, TRUE);
    if (settings->progressive) {
        jpeg_simple_progression(&c->codec);
    }
    jpeg_start_compress(&c->codec, TRUE);
    if (settings->markers != nullptr) {
        for (const JpegMarker& marker : *settings->markers) {
            jpeg_write_marker(&c->codec, marker.code, marker.bytes.data(),
                              static_cast<unsigned>(marker.bytes.size()));
        }
    }
    return true;
}

bool writeRows(Compressor* c, JSAMPROW* rows, int count) {
    if (setjmp(c->errors.jump)) {
        return false;
    }
    jpeg_write_scanlines(&c->codec, rows, static_cast<JDIMENSION>(count));
    return true;
}

bool finishCompress(Compressor* c) {
    if (setjmp(c->errors.jump)) {
        return false;
    }
    jpeg_finish_compress(&c->codec);
    return true;
}

} // namespace

void rgbToInvertedCmyk(const std::uint8_t* rgb, std::uint8_t* cmyk, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i, rgb += 3, cmyk += 4) {
        const unsigned k = std::max({rgb[0], rgb[1], rgb[2]}); // 255 - black ink
        for (int n = 0; n < 3; ++n) {
            cmyk[n] = k == 0 ? 0 : static_cast<std::uint8_t>((rgb[n] * 255u + k / 2) / k);
        }
        cmyk[3] = static_cast<std::uint8_t>(k);
    }
}

bool writeJpeg(std::FILE* file, const Picture& picture, const JpegWriteSettings& settings) {
    Compressor c;
    if (picture.format != PixelFormat::Rgb24 || !startCompress(&c, file, &picture, &settings)) {
        return false;
    }
    const auto width = static_cast<std::size_t>(picture.width);
    const bool fourInks = inks(settings.colorSpace);
    std::vector<std::uint8_t> scratch(fourInks ? width * 4 * kRowsPerCall : 0);
    JSAMPROW rows[kRowsPerCall];
    for (std::int32_t y = 0; y < picture.height;) {
        const int count = std::min(kRowsPerCall, picture.height - y);
        for (int i = 0; i < count; ++i) {
            // libjpeg takes non-const rows but only reads them.
            auto* source = const_cast<std::uint8_t*>(picture.row(y + i));
            if (fourInks) {
                rows[i] = scratch.data() + width * 4 * static_cast<std::size_t>(i);
                rgbToInvertedCmyk(source, rows[i], width);
            } else {
                rows[i] = source;
            }
        }
        if (!writeRows(&c, rows, count)) {
            return false;
        }
        y += count;
    }
    return finishCompress(&c);
}

} // namespace fotoplex
