#include "engine/tiff/TiffReader.h"

#include "engine/readers/DecodeResults.h"
#include "engine/tiff/TiffSamples.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstring>
#include <string>
#include <tiffio.h>
#include <vector>

namespace fotoplex {

namespace {

// No single buffer libtiff allocates for us may exceed this.
constexpr tmsize_t kMaxSingleAllocation = tmsize_t{512} << 20;
// Rows are converted in bands of about this many bytes of RGBA.
constexpr std::size_t kBandBytes = std::size_t{16} << 20;

// --- libtiff reads from memory through these callbacks. ---

struct TiffMemory {
    const std::uint8_t* data;
    std::uint64_t size;
    std::uint64_t position;
};

tmsize_t readMemory(thandle_t handle, void* buffer, tmsize_t length) {
    auto* memory = static_cast<TiffMemory*>(handle);
    if (length <= 0 || memory->position >= memory->size) {
        return 0;
    }
    const std::uint64_t count = std::min<std::uint64_t>(static_cast<std::uint64_t>(length),
                                                        memory->size - memory->position);
    std::memcpy(buffer, memory->data + memory->position, count);
    memory->position += count;
    return static_cast<tmsize_t>(count);
}

tmsize_t writeNothing(thandle_t, void*, tmsize_t) {
    return -1;
}

toff_t seekMemory(thandle_t handle, toff_t offset, int whence) {
    auto* memory = static_cast<TiffMemory*>(handle);
    std::uint64_t base = 0;
    if (whence == SEEK_CUR) {
        base = memory->position;
    } else if (whence == SEEK_END) {
        base = memory->size;
    }
    if (offset > UINT64_MAX - base) {
        return static_cast<toff_t>(-1);
    }
    memory->position = base + offset;
    return memory->position;
}

int closeNothing(thandle_t) {
    return 0;
}
toff_t sizeOfMemory(thandle_t handle) {
    return static_cast<TiffMemory*>(handle)->size;
}
// libtiff reads strips and tiles straight from the mapped bytes; it never writes to a mapping
// of a file opened for reading. (Its unmapped path misjudges some tile byte counts.)
int mapMemory(thandle_t handle, void** base, toff_t* size) {
    auto* memory = static_cast<TiffMemory*>(handle);
    *base = const_cast<std::uint8_t*>(memory->data);
    *size = memory->size;
    return 1;
}
void unmapNothing(thandle_t, void*, toff_t) {}

// Messages are not printed; a failed read reports itself by its result. (libtiff also complains
// about harmless oddities, such as a byte count larger than a tile needs.)
int ignoreMessage(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

// Owns an open TIFF and its options.
class TiffHandle {
public:
    explicit TiffHandle(TiffMemory& memory) : options_(TIFFOpenOptionsAlloc()) {
        TIFFOpenOptionsSetMaxSingleMemAlloc(options_, kMaxSingleAllocation);
        TIFFOpenOptionsSetErrorHandlerExtR(options_, ignoreMessage, nullptr);
        TIFFOpenOptionsSetWarningHandlerExtR(options_, ignoreMessage, nullptr);
        tiff_ = TIFFClientOpenExt("memory", "r", &memory, readMemory, writeNothing, seekMemory,
                                  closeNothing, sizeOfMemory, mapMemory, unmapNothing, options_);
    }
    TiffHandle(const TiffHandle&) = delete;
    TiffHandle& operator=(const TiffHandle&) = delete;
    ~TiffHandle() {
        if (tiff_ != nullptr) {
            TIFFClose(tiff_);
        }
        TIFFOpenOptionsFree(options_);
    }

    TIFF* get() const { return tiff_; }

private:
    TIFFOpenOptions* options_;
    TIFF* tiff_ = nullptr;
};

// Owns the state of libtiff's RGBA conversion.
class RgbaReader {
public:
    RgbaReader(TIFF* tiff, bool& ok) {
        char message[1024] = {};
        ok = TIFFRGBAImageOK(tiff, message) != 0 &&
             TIFFRGBAImageBegin(&image_, tiff, 1, message) != 0;
        begun_ = ok;
        problem_ = message;
    }
    RgbaReader(const RgbaReader&) = delete;
    RgbaReader& operator=(const RgbaReader&) = delete;
    ~RgbaReader() {
        if (begun_) {
            TIFFRGBAImageEnd(&image_);
        }
    }

    TIFFRGBAImage& image() { return image_; }
    // libtiff's own words for what it cannot convert ("Sorry, can not handle ...").
    const std::string& problem() const { return problem_; }

private:
    TIFFRGBAImage image_{};
    std::string problem_;
    bool begun_ = false;
};

std::int32_t dotsPerInch(float value, std::uint16_t unit) {
    const double dpi = unit == RESUNIT_CENTIMETER ? value * 2.54 : value;
    if (!(dpi >= 0) || dpi > 1e9) {
        return 0;
    }
    return static_cast<std::int32_t>(std::lround(dpi));
}

void takeResolution(TIFF* tiff, DecodedInfo& info) {
    float x = 0;
    float y = 0;
    std::uint16_t unit = RESUNIT_INCH;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_RESOLUTIONUNIT, &unit);
    if (TIFFGetField(tiff, TIFFTAG_XRESOLUTION, &x) == 1) {
        info.resolutionX = dotsPerInch(x, unit);
    }
    if (TIFFGetField(tiff, TIFFTAG_YRESOLUTION, &y) == 1) {
        info.resolutionY = dotsPerInch(y, unit);
    }
}

std::uint16_t field16(TIFF* tiff, ttag_t tag) {
    std::uint16_t value = 0;
    TIFFGetFieldDefaulted(tiff, tag, &value);
    return value;
}

// One bit a pixel in strips, top row first: read as it is, set bits white.
bool isPlainBilevel(TIFF* tiff, std::int32_t width) {
    const std::uint16_t photometric = field16(tiff, TIFFTAG_PHOTOMETRIC);
    return field16(tiff, TIFFTAG_BITSPERSAMPLE) == 1 &&
           field16(tiff, TIFFTAG_SAMPLESPERPIXEL) == 1 && TIFFIsTiled(tiff) == 0 &&
           (photometric == PHOTOMETRIC_MINISWHITE || photometric == PHOTOMETRIC_MINISBLACK) &&
           field16(tiff, TIFFTAG_ORIENTATION) == ORIENTATION_TOPLEFT &&
           TIFFScanlineSize64(tiff) == Picture::rowBytesFor(width, PixelFormat::Bilevel);
}

DecodeResult readBilevel(TIFF* tiff, Picture& picture) {
    const bool whiteIsZero = field16(tiff, TIFFTAG_PHOTOMETRIC) == PHOTOMETRIC_MINISWHITE;
    for (std::int32_t y = 0; y < picture.height; ++y) {
        std::uint8_t* row = picture.row(y);
        if (TIFFReadScanline(tiff, row, static_cast<std::uint32_t>(y), 0) < 0) {
            std::fill(row, picture.pixels.data() + picture.pixels.size(), 0);
            return {DecodeStatus::Incomplete, "TIFF: damaged data"};
        }
        if (whiteIsZero) {
            for (std::size_t i = 0; i < picture.rowBytes(); ++i) {
                row[i] = static_cast<std::uint8_t>(~row[i]);
            }
        }
    }
    return {DecodeStatus::Complete, {}};
}

// --- Orientation: the rows go out as stored; the engine turns them upright. ---

bool validOrientation(std::uint16_t orientation) {
    return orientation >= ORIENTATION_TOPLEFT && orientation <= ORIENTATION_LEFTBOT;
}

// What libtiff is asked for: the stored order itself when the tag is valid, so that it mirrors
// nothing; otherwise the top-left order it would assume anyway.
std::uint16_t storedOrder(std::uint16_t orientation) {
    return validOrientation(orientation) ? orientation : ORIENTATION_TOPLEFT;
}

// The orientation the engine still has to apply.
std::uint16_t statedOrientation(TIFF* tiff) {
    const std::uint16_t orientation = field16(tiff, TIFFTAG_ORIENTATION);
    return validOrientation(orientation) ? orientation : ORIENTATION_TOPLEFT;
}

// libtiff turns a band upside down when the requested order has the other vertical sense.
bool bottomFirst(std::uint16_t orientation, std::uint16_t requested) {
    const auto bottom = [](std::uint16_t o) {
        return o == ORIENTATION_BOTRIGHT || o == ORIENTATION_BOTLEFT || o == ORIENTATION_RIGHTBOT ||
               o == ORIENTATION_LEFTBOT;
    };
    return bottom(orientation) != bottom(requested);
}

// Rows per band: a whole number of strips (or tile rows), so no strip is decoded twice.
std::uint32_t bandRows(TIFF* tiff, std::uint32_t width, std::uint32_t height) {
    std::uint32_t unit = 0;
    if (TIFFIsTiled(tiff) != 0) {
        TIFFGetField(tiff, TIFFTAG_TILELENGTH, &unit);
    } else {
        TIFFGetFieldDefaulted(tiff, TIFFTAG_ROWSPERSTRIP, &unit);
    }
    unit = std::clamp<std::uint32_t>(unit, 1, height);
    const std::size_t fitting = std::max<std::size_t>(1, kBandBytes / (std::size_t{width} * 4));
    const std::size_t units = std::max<std::size_t>(1, fitting / unit);
    return static_cast<std::uint32_t>(std::min<std::size_t>(height, units * unit));
}

// libtiff hands over colour multiplied by alpha (it multiplies unassociated alpha itself):
// the alpha goes into its own channel and the colour is divided back, as PNG keeps it.
void takeAlpha(const std::uint32_t* source, std::uint8_t* rgb, std::uint8_t* alpha,
               std::uint32_t width) {
    for (std::uint32_t x = 0; x < width; ++x) {
        const std::uint32_t a = TIFFGetA(source[x]);
        alpha[x] = static_cast<std::uint8_t>(a);
        if (a == 0 || a == 255) {
            continue;
        }
        for (std::uint32_t c = 0; c < 3; ++c) {
            const std::uint32_t v = (rgb[3 * x + c] * 255u + a / 2) / a;
            rgb[3 * x + c] = static_cast<std::uint8_t>(std::min(v, 255u));
        }
    }
}

DecodeResult readRgba(TIFF* tiff, Picture& picture) {
    bool ok = false;
    RgbaReader reader(tiff, ok);
    if (!ok) {
        return {DecodeStatus::Failed,
                "TIFF: " + (reader.problem().empty() ? std::string("unsupported layout")
                                                     : reader.problem())};
    }
    TIFFRGBAImage& image = reader.image();
    image.req_orientation = storedOrder(image.orientation);
    const auto width = static_cast<std::uint32_t>(picture.width);
    const auto height = static_cast<std::uint32_t>(picture.height);
    const bool flipped = bottomFirst(image.orientation, image.req_orientation);
    const bool alpha = image.alpha != 0;
    if (alpha) {
        picture.alpha.assign(std::size_t{width} * height, 255);
    }
    const std::uint32_t band = bandRows(tiff, width, height);
    std::vector<std::uint32_t> raster(std::size_t{width} * band);
    for (std::uint32_t first = 0; first < height; first += band) {
        const std::uint32_t rows = std::min(band, height - first);
        std::fill(raster.begin(), raster.end(), 0u);
        image.row_offset = static_cast<int>(first);
        image.col_offset = 0;
        const bool good = TIFFRGBAImageGet(&image, raster.data(), width, rows) != 0;
        // A bottom-first file delivers each band flipped: it belongs at the mirrored place.
        const std::uint32_t top = flipped ? height - first - rows : first;
        for (std::uint32_t r = 0; r < rows; ++r) {
            const std::uint32_t* source = raster.data() + std::size_t{r} * width;
            std::uint8_t* target = picture.row(static_cast<std::int32_t>(top + r));
            for (std::uint32_t x = 0; x < width; ++x) {
                target[3 * x] = static_cast<std::uint8_t>(TIFFGetR(source[x]));
                target[3 * x + 1] = static_cast<std::uint8_t>(TIFFGetG(source[x]));
                target[3 * x + 2] = static_cast<std::uint8_t>(TIFFGetB(source[x]));
            }
            if (alpha) {
                takeAlpha(source, target, picture.alpha.data() + std::size_t{top + r} * width,
                          width);
            }
        }
        if (!good) {
            return {DecodeStatus::Incomplete, "TIFF: damaged data"};
        }
    }
    return {DecodeStatus::Complete, {}};
}

// The most bytes of samples one byte of stored data can expand to under a compression:
// stored samples need their whole size; PackBits expands 2 bytes to 128; LZW, Deflate and
// JPEG stay well below 4096. CCITT fax codes describe a white row in a bit, so only their
// rows are bounded.
std::uint64_t largestExpansion(std::uint16_t compression) {
    switch (compression) {
    case COMPRESSION_NONE:
        return 1;
    case COMPRESSION_PACKBITS:
        return 64;
    default:
        return 4096;
    }
}

// The most pixels a byte may give a picture that is not read as bilevel.
constexpr Expansion kColourExpansion{4096, 1};

bool isFax(std::uint16_t compression) {
    return compression == COMPRESSION_CCITTRLE || compression == COMPRESSION_CCITTRLEW ||
           compression == COMPRESSION_CCITTFAX3 || compression == COMPRESSION_CCITTFAX4;
}

// A header claiming far more samples than the file's data can hold is damaged: refusing it
// keeps memory in proportion to the file.
bool dataCanHoldPicture(TIFF* tiff, std::uint32_t width, std::uint32_t height, std::size_t size) {
    const std::uint16_t compression = field16(tiff, TIFFTAG_COMPRESSION);
    if (isFax(compression)) {
        return dataCanHold(height, size, 8, 1);
    }
    const std::uint64_t bits = std::uint64_t{field16(tiff, TIFFTAG_BITSPERSAMPLE)} *
                               std::max<std::uint16_t>(1, field16(tiff, TIFFTAG_SAMPLESPERPIXEL));
    const std::uint64_t sampleBytes = (std::uint64_t{width} * bits + 7) / 8 * height;
    return dataCanHold(sampleBytes, size, largestExpansion(compression), 1);
}

// The embedded colour profile (tag 34675), carried into the JPEG output.
void takeProfile(TIFF* tiff, DecodedInfo& info) {
    std::uint32_t length = 0;
    const std::uint8_t* profile = nullptr;
    if (TIFFGetField(tiff, TIFFTAG_ICCPROFILE, &length, &profile) == 1 && profile != nullptr) {
        info.iccProfile.assign(profile, profile + length);
    }
}

} // namespace

DecodeResult decodeTiff(std::span<const std::uint8_t> data, Picture& picture, DecodedInfo& info,
                        bool headerOnly) {
    TiffMemory memory{data.data(), data.size(), 0};
    TiffHandle handle(memory);
    TIFF* tiff = handle.get();
    if (tiff == nullptr) {
        return {DecodeStatus::Failed, "TIFF: not a readable header"};
    }
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
    info.width = static_cast<std::int32_t>(std::min<std::uint32_t>(width, INT32_MAX));
    info.height = static_cast<std::int32_t>(std::min<std::uint32_t>(height, INT32_MAX));
    takeResolution(tiff, info);
    info.orientation = statedOrientation(tiff);
    if (headerOnly) {
        return {DecodeStatus::Complete, {}};
    }
    if (!sizeAllowed(width, height)) {
        return {DecodeStatus::Failed, "TIFF: picture too large"};
    }
    if (!dataCanHoldPicture(tiff, width, height, data.size())) {
        return {DecodeStatus::Failed, "TIFF: picture larger than its data"};
    }
    takeProfile(tiff, info);
    const bool bilevel = isPlainBilevel(tiff, info.width);
    // However few bits a sample the file stores, a colour picture takes three or four bytes a
    // pixel in memory: its pixels are bounded too.
    if (!bilevel && !pictureFitsData(width, height, data.size(), kColourExpansion)) {
        return {DecodeStatus::Failed, "TIFF: picture larger than its data"};
    }
    Picture result =
        makePicture(info.width, info.height, bilevel ? PixelFormat::Bilevel : PixelFormat::Rgb24);
    const DecodeResult outcome = bilevel                 ? readBilevel(tiff, result)
                                 : readsOwnSamples(tiff) ? readOwnSamples(tiff, result)
                                                         : readRgba(tiff, result);
    if (outcome.status != DecodeStatus::Failed) {
        picture = std::move(result);
    }
    return outcome;
}

} // namespace fotoplex
