#include "engine/jpeg/JpegReader.h"

#include "engine/Exif.h"
#include "engine/PictureConvert.h"
#include "engine/jpeg/JpegError.h"
#include "engine/readers/SizeGuard.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace fotoplex {

namespace {

// A progressive file may hold any number of scans; past this many it is treated as damaged,
// so that a small file cannot keep the decoder busy for minutes.
constexpr int kMaxScans = 400;
constexpr int kRowsPerCall = 8;

// Owns one libjpeg decompression object. Plain data only, so that it survives a longjmp.
struct Decompressor {
    jpeg_decompress_struct codec{};
    JpegErrorManager errors{};
    jpeg_progress_mgr progress{};
    bool created = false;

    Decompressor() = default;
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;
    ~Decompressor() {
        if (created) {
            jpeg_destroy_decompress(&codec);
        }
    }
};

void limitScans(j_common_ptr common) {
    auto* codec = reinterpret_cast<j_decompress_ptr>(common);
    if (codec->input_scan_number > kMaxScans) {
        (*common->err->error_exit)(common);
    }
}

// --- The setjmp boundaries: each touches libjpeg and only trivially destructible locals. ---

bool readHeader(Decompressor* d, const std::uint8_t* data, std::size_t size) {
    d->codec.err = attachJpegErrors(d->errors);
    if (setjmp(d->errors.jump)) {
        return false;
    }
    jpeg_create_decompress(&d->codec);
    d->created = true;
    d->progress.progress_monitor = limitScans;
    d->codec.progress = &d->progress;
    jpeg_mem_src(&d->codec, data, static_cast<unsigned long>(size));
    jpeg_save_markers(&d->codec, JPEG_COM, 0xFFFF);
    for (int n = 0; n < 16; ++n) {
        jpeg_save_markers(&d->codec, JPEG_APP0 + n, 0xFFFF);
    }
    jpeg_read_header(&d->codec, TRUE);
    return true;
}

bool startDecompress(Decompressor* d) {
    if (setjmp(d->errors.jump)) {
        return false;
    }
    jpeg_start_decompress(&d->codec);
    return true;
}

// Reads up to `count` rows into `rows`; returns the number read, or -1 on a codec error.
int readRows(Decompressor* d, JSAMPROW* rows, int count) {
    if (setjmp(d->errors.jump)) {
        return -1;
    }
    return static_cast<int>(jpeg_read_scanlines(&d->codec, rows, static_cast<JDIMENSION>(count)));
}

// --- Pixel conversion into 24-bit RGB, a row at a time. ---

// Widens a grey row held in the first `width` bytes of an RGB row, working backwards.
void expandGreyInPlace(std::uint8_t* row, std::size_t width) {
    for (std::size_t i = width; i-- > 0;) {
        const std::uint8_t v = row[i];
        row[3 * i] = v;
        row[3 * i + 1] = v;
        row[3 * i + 2] = v;
    }
}

JpegColorSpace colorSpaceOf(J_COLOR_SPACE space) {
    switch (space) {
    case JCS_GRAYSCALE:
        return JpegColorSpace::Greyscale;
    case JCS_RGB:
        return JpegColorSpace::Rgb;
    case JCS_CMYK:
        return JpegColorSpace::Cmyk;
    case JCS_YCCK:
        return JpegColorSpace::Ycck;
    default:
        return JpegColorSpace::YCbCr;
    }
}

std::int32_t dotsPerInchFromCentimetres(unsigned density) {
    return static_cast<std::int32_t>(std::lround(density * 2.54));
}

// JFIF density first; a density of 1 x 1 (or none at all) gives way to an EXIF resolution.
// A density without a unit is an aspect ratio, not a resolution: it counts as none.
void takeResolution(const jpeg_decompress_struct& codec, DecodedInfo& info) {
    info.resolutionX = 0;
    info.resolutionY = 0;
    const bool jfifResolution = codec.saw_JFIF_marker && codec.density_unit != 0;
    if (jfifResolution) {
        const bool centimetres = codec.density_unit == 2;
        info.resolutionX =
            centimetres ? dotsPerInchFromCentimetres(codec.X_density) : codec.X_density;
        info.resolutionY =
            centimetres ? dotsPerInchFromCentimetres(codec.Y_density) : codec.Y_density;
    }
    const bool onlyAspect = info.resolutionX == 1 && info.resolutionY == 1;
    if (jfifResolution && !onlyAspect) {
        return;
    }
    for (jpeg_saved_marker_ptr m = codec.marker_list; m != nullptr; m = m->next) {
        if (m->marker != JPEG_APP0 + 1) {
            continue;
        }
        if (const auto exif = readExifResolution({m->data, m->data_length})) {
            info.resolutionX = exifDotsPerInch(exif->x, exif->unit);
            info.resolutionY = exifDotsPerInch(exif->y, exif->unit);
            return;
        }
    }
}

// Comments and APP0..APP15 in file order, without an APP0 that opens the list.
std::vector<JpegMarker> takeMarkers(const jpeg_decompress_struct& codec) {
    std::vector<JpegMarker> markers;
    for (jpeg_saved_marker_ptr m = codec.marker_list; m != nullptr; m = m->next) {
        if (m == codec.marker_list && m->marker == JPEG_APP0) {
            continue;
        }
        markers.push_back({static_cast<std::uint8_t>(m->marker),
                           std::vector<std::uint8_t>(m->data, m->data + m->data_length)});
    }
    return markers;
}

// The orientation that the first EXIF block states; that block is then set to say 1, since
// the engine turns the pixels upright. A damaged block stays as it is and gives 1.
std::uint16_t takeOrientation(std::vector<JpegMarker>& markers) {
    for (JpegMarker& marker : markers) {
        if (marker.code != JPEG_APP0 + 1 || !isExifBlock(marker.bytes)) {
            continue;
        }
        const std::uint16_t orientation = readExifOrientation(marker.bytes).value_or(1);
        if (orientation != 1) {
            setExifOrientationUpright(marker.bytes);
        }
        return orientation;
    }
    return 1;
}

// Chooses what libjpeg hands out; false for colour spaces that have no RGB meaning.
bool chooseOutput(jpeg_decompress_struct& codec) {
    switch (codec.jpeg_color_space) {
    case JCS_GRAYSCALE:
        codec.out_color_space = JCS_GRAYSCALE;
        return true;
    case JCS_RGB:
    case JCS_YCbCr:
        codec.out_color_space = JCS_RGB;
        return true;
    case JCS_CMYK:
    case JCS_YCCK:
        codec.out_color_space = JCS_CMYK;
        return true;
    default:
        return false;
    }
}

// Reads every row into the picture; returns false when the data was damaged or cut, with
// `rowsRead` the rows that hold data.
bool readAllRows(Decompressor& d, Picture& picture, std::int32_t& rowsRead) {
    const auto width = static_cast<std::size_t>(picture.width);
    const bool cmyk = d.codec.out_color_space == JCS_CMYK;
    const bool grey = d.codec.out_color_space == JCS_GRAYSCALE;
    const bool inverted = d.codec.saw_Adobe_marker != 0;
    // A multi-scan file has taken in all its data before the first row comes out, so a cut
    // there still gives a whole (coarser) picture.
    const bool endedBeforeRows = d.errors.dataEnded;
    std::vector<std::uint8_t> scratch(cmyk ? width * 4 * kRowsPerCall : 0);
    JSAMPROW rows[kRowsPerCall];
    std::int32_t y = 0;
    while (y < picture.height) {
        const int wanted = std::min(kRowsPerCall, picture.height - y);
        for (int i = 0; i < wanted; ++i) {
            rows[i] = cmyk ? scratch.data() + width * 4 * static_cast<std::size_t>(i)
                           : picture.row(y + i);
        }
        const int got = readRows(&d, rows, wanted);
        if (got <= 0 || (d.errors.dataEnded && !endedBeforeRows)) {
            std::fill(picture.row(y), picture.pixels.data() + picture.pixels.size(), 0);
            rowsRead = y;
            return false;
        }
        for (int i = 0; i < got; ++i) {
            if (grey) {
                expandGreyInPlace(picture.row(y + i), width);
            } else if (cmyk) {
                cmykToRgb(rows[i], picture.row(y + i), width, inverted);
            }
        }
        y += got;
    }
    rowsRead = y;
    return d.errors.warnings == 0;
}

} // namespace

DecodeResult decodeJpeg(std::span<const std::uint8_t> data, Picture& picture, DecodedInfo& info,
                        JpegDetails& details, bool headerOnly) {
    Decompressor d;
    const bool headerRead = !data.empty() && readHeader(&d, data.data(), data.size());
    // A file cut after its frame header still tells its size, which is all a header read needs.
    const bool sizeSeen = d.created && d.codec.image_width > 0 && d.codec.image_height > 0;
    if (!headerRead && !(headerOnly && sizeSeen)) {
        return {DecodeStatus::Failed, "not a readable JPEG header"};
    }
    info.width = static_cast<std::int32_t>(std::min<JDIMENSION>(d.codec.image_width, INT32_MAX));
    info.height = static_cast<std::int32_t>(std::min<JDIMENSION>(d.codec.image_height, INT32_MAX));
    takeResolution(d.codec, info);
    details.colorSpace = colorSpaceOf(d.codec.jpeg_color_space);
    details.markers = takeMarkers(d.codec);
    info.orientation = takeOrientation(details.markers);
    if (headerOnly) {
        return {headerRead ? DecodeStatus::Complete : DecodeStatus::Incomplete, {}};
    }
    if (!pictureFitsData(d.codec.image_width, d.codec.image_height, data.size(),
                         expansion::kJpeg)) {
        return {DecodeStatus::Failed, "picture larger than its data"};
    }
    if (!chooseOutput(d.codec)) {
        return {DecodeStatus::Failed, "unsupported JPEG colour space"};
    }
    d.codec.dct_method = JDCT_ISLOW;
    if (!startDecompress(&d)) {
        return {DecodeStatus::Failed, "damaged JPEG data"};
    }
    Picture result = makePicture(info.width, info.height, PixelFormat::Rgb24);
    std::int32_t rowsRead = 0;
    if (!readAllRows(d, result, rowsRead)) {
        if (rowsRead == 0) {
            return {DecodeStatus::Failed, "damaged JPEG data"};
        }
        picture = std::move(result);
        return {DecodeStatus::Incomplete, "damaged JPEG data"};
    }
    picture = std::move(result);
    return {DecodeStatus::Complete, {}};
}

} // namespace fotoplex
