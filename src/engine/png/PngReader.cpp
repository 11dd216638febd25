#include "engine/png/PngReader.h"

#include "engine/CarriedMarkers.h"
#include "engine/Exif.h"
#include "engine/PictureConvert.h"
#include "engine/readers/SizeGuard.h"

#include <cmath>
#include <cstring>
#include <png.h>
#include <vector>

namespace fotoplex {

namespace {

struct PngSource {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t position;
};

void readFromMemory(png_structp png, png_bytep out, png_size_t length) {
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (length > source->size - source->position) {
        png_error(png, "data cut short");
    }
    std::memcpy(out, source->data + source->position, length);
    source->position += length;
}

[[noreturn]] void jumpOut(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void ignoreWarning(png_structp, png_const_charp) {}

// Owns the libpng read structures.
struct PngHandle {
    png_structp png = nullptr;
    png_infop info = nullptr;

    PngHandle() {
        png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, jumpOut, ignoreWarning);
        if (png != nullptr) {
            info = png_create_info_struct(png);
        }
    }
    PngHandle(const PngHandle&) = delete;
    PngHandle& operator=(const PngHandle&) = delete;
    ~PngHandle() { png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr); }
};

// --- The setjmp boundaries: each touches libpng and only trivially destructible locals. ---

bool readInfo(PngHandle* h, PngSource* source) {
    if (setjmp(png_jmpbuf(h->png))) {
        return false;
    }
    png_set_read_fn(h->png, source, readFromMemory);
    png_set_user_limits(h->png, 0x7fffffffu, 0x7fffffffu); // our own bound is checked after
    png_read_info(h->png, h->info);
    return true;
}

bool prepareRows(PngHandle* h, bool bilevel) {
    if (setjmp(png_jmpbuf(h->png))) {
        return false;
    }
    if (!bilevel) {
        png_set_expand(h->png);
        png_set_scale_16(h->png);
        png_set_gray_to_rgb(h->png);
    }
    png_set_interlace_handling(h->png);
    png_read_update_info(h->png, h->info);
    return true;
}

// Reads every row; `rowsDone` tells how far a sequential picture got before an error (an
// interlaced one fills all rows at once in its last pass).
bool readImage(PngHandle* h, png_bytepp rows, std::int32_t height, std::int32_t* rowsDone) {
    if (setjmp(png_jmpbuf(h->png))) {
        return false;
    }
    if (png_get_interlace_type(h->png, h->info) != PNG_INTERLACE_NONE) {
        png_read_image(h->png, rows);
        *rowsDone = height;
        return true;
    }
    for (std::int32_t y = 0; y < height; ++y) {
        png_read_row(h->png, rows[y], nullptr);
        *rowsDone = y + 1;
    }
    return true;
}

// --- Helpers outside the boundaries. ---

std::int32_t dotsPerInch(png_uint_32 perMetre) {
    return static_cast<std::int32_t>(std::lround(perMetre * 0.0254));
}

void takeResolution(PngHandle& h, DecodedInfo& info) {
    png_uint_32 x = 0;
    png_uint_32 y = 0;
    int unit = PNG_RESOLUTION_UNKNOWN;
    if (png_get_pHYs(h.png, h.info, &x, &y, &unit) != 0 && unit == PNG_RESOLUTION_METER) {
        info.resolutionX = dotsPerInch(x);
        info.resolutionY = dotsPerInch(y);
    }
}

// The colour profile (iCCP) and the EXIF block (eXIf) met before the pixels.
void takeMetadata(PngHandle& h, DecodedInfo& info) {
    png_charp name = nullptr;
    int compression = 0;
    png_bytep profile = nullptr;
    png_uint_32 length = 0;
    if (png_get_iCCP(h.png, h.info, &name, &compression, &profile, &length) != 0 && length > 0) {
        info.iccProfile.assign(profile, profile + length);
    }
    png_bytep exif = nullptr;
    png_uint_32 exifLength = 0;
    if (png_get_eXIf_1(h.png, h.info, &exifLength, &exif) != 0 && exifLength > 0) {
        info.exif = exifTiffStructure(std::span<const std::uint8_t>(exif, exifLength));
    }
}

// The orientation an eXIf chunk before the pixels states; 1 without one or when it is damaged.
std::uint16_t takeOrientation(PngHandle& h) {
    png_uint_32 size = 0;
    png_bytep exif = nullptr;
    if (png_get_eXIf_1(h.png, h.info, &size, &exif) == 0 || exif == nullptr) {
        return 1;
    }
    return readExifOrientation({exif, size}).value_or(1);
}

enum class Bilevel { No, WhiteIsOne, BlackIsOne };

Bilevel bilevelKind(PngHandle& h) {
    const int depth = png_get_bit_depth(h.png, h.info);
    const int type = png_get_color_type(h.png, h.info);
    if (depth != 1 || png_get_valid(h.png, h.info, PNG_INFO_tRNS) != 0) {
        return Bilevel::No;
    }
    if (type == PNG_COLOR_TYPE_GRAY) {
        return Bilevel::WhiteIsOne;
    }
    png_colorp palette = nullptr;
    int count = 0;
    if (type != PNG_COLOR_TYPE_PALETTE || png_get_PLTE(h.png, h.info, &palette, &count) == 0 ||
        count != 2) {
        return Bilevel::No;
    }
    const auto isGrey = [](const png_color& c, int v) {
        return c.red == v && c.green == v && c.blue == v;
    };
    if (isGrey(palette[0], 0) && isGrey(palette[1], 255)) {
        return Bilevel::WhiteIsOne;
    }
    if (isGrey(palette[0], 255) && isGrey(palette[1], 0)) {
        return Bilevel::BlackIsOne;
    }
    return Bilevel::No;
}

std::vector<png_bytep> rowPointers(std::uint8_t* base, std::size_t rowBytes, std::int32_t height) {
    std::vector<png_bytep> rows(static_cast<std::size_t>(height));
    for (std::size_t y = 0; y < rows.size(); ++y) {
        rows[y] = base + y * rowBytes;
    }
    return rows;
}

} // namespace

DecodeResult decodePng(std::span<const std::uint8_t> data, Picture& picture, DecodedInfo& info,
                       bool headerOnly) {
    if (data.size() < 8 || png_sig_cmp(data.data(), 0, 8) != 0) {
        return {DecodeStatus::Failed, "not a PNG file"};
    }
    PngHandle h;
    PngSource source{data.data(), data.size(), 0};
    if (h.info == nullptr || !readInfo(&h, &source)) {
        return {DecodeStatus::Failed, "PNG: not a readable header"};
    }
    const png_uint_32 width = png_get_image_width(h.png, h.info);
    const png_uint_32 height = png_get_image_height(h.png, h.info);
    info.width = static_cast<std::int32_t>(width);
    info.height = static_cast<std::int32_t>(height);
    takeResolution(h, info);
    info.orientation = takeOrientation(h);
    if (headerOnly) {
        return {DecodeStatus::Complete, {}};
    }
    if (!pictureFitsData(width, height, data.size(), expansion::kPng)) {
        return {DecodeStatus::Failed, "PNG: picture larger than its data"};
    }
    takeMetadata(h, info);
    const Bilevel bilevel = bilevelKind(h);
    if (!prepareRows(&h, bilevel != Bilevel::No)) {
        return {DecodeStatus::Failed, "PNG: damaged header"};
    }
    const int channels = png_get_channels(h.png, h.info);
    const bool alpha = bilevel == Bilevel::No && channels == 4;
    const std::size_t rowBytes =
        alpha ? std::size_t{width} * 4
              : Picture::rowBytesFor(info.width, bilevel != Bilevel::No ? PixelFormat::Bilevel
                                                                        : PixelFormat::Rgb24);
    if (png_get_rowbytes(h.png, h.info) != rowBytes) {
        return {DecodeStatus::Failed, "PNG: unexpected row layout"};
    }
    // RGBA rows go straight into the picture's buffer; the alpha is split off there.
    Picture result =
        alpha ? makeRgbaPicture(info.width, info.height)
              : makePicture(info.width, info.height,
                            bilevel != Bilevel::No ? PixelFormat::Bilevel : PixelFormat::Rgb24);
    std::vector<png_bytep> rows = rowPointers(result.pixels.data(), rowBytes, info.height);
    std::int32_t rowsDone = 0;
    const bool whole = readImage(&h, rows.data(), info.height, &rowsDone);
    const bool interlaced = png_get_interlace_type(h.png, h.info) != PNG_INTERLACE_NONE;
    if (!whole && !interlaced && rowsDone == 0) {
        return {DecodeStatus::Failed, "PNG: damaged data"};
    }
    if (alpha) {
        splitAlpha(result.pixels.data(), result, true);
    }
    if (bilevel == Bilevel::BlackIsOne) {
        const std::size_t done = result.rowBytes() * static_cast<std::size_t>(rowsDone);
        for (std::size_t i = 0; i < done; ++i) {
            result.pixels[i] = static_cast<std::uint8_t>(~result.pixels[i]);
        }
    }
    picture = std::move(result);
    if (!whole) {
        return {DecodeStatus::Incomplete, "PNG: damaged data"};
    }
    return {DecodeStatus::Complete, {}};
}

} // namespace fotoplex
