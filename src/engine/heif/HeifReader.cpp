#include "engine/heif/HeifReader.h"

#include "engine/CarriedMarkers.h"
#include "engine/Exif.h"
#include "engine/PictureConvert.h"
#include "engine/readers/DecodeResults.h"

#include <libheif/heif.h>
#include <memory>
#include <vector>

namespace fotoplex {

namespace {

// Neither side of an image may exceed this; libheif refuses larger claims while it reads the
// file. Its checks go by side only, and a grid item states its output size apart from the
// item's size, so the side is kept to the square root of our pixel bound (a 32511 x 65535 grid
// in a 1 KB file took 2 GB with a larger side). That still lets a small file claim 2^28 pixels:
// decodeHeif compares the claim with the file's size before libheif decodes anything.
constexpr int kMaxSide = 1 << 14;
// Metadata blocks larger than this are not read (an APP1 marker could not carry them anyway).
constexpr std::size_t kMaxMetadataBytes = 1 << 20;

struct ContextFree {
    void operator()(heif_context* c) const { heif_context_free(c); }
};
struct HandleRelease {
    void operator()(const heif_image_handle* h) const { heif_image_handle_release(h); }
};
struct ImageRelease {
    void operator()(const heif_image* i) const { heif_image_release(i); }
};
struct OptionsFree {
    void operator()(heif_decoding_options* o) const { heif_decoding_options_free(o); }
};
using Context = std::unique_ptr<heif_context, ContextFree>;
using Handle = std::unique_ptr<const heif_image_handle, HandleRelease>;
using Image = std::unique_ptr<const heif_image, ImageRelease>;

std::vector<std::uint8_t> colourProfile(const heif_image_handle* handle) {
    const heif_color_profile_type type = heif_image_handle_get_color_profile_type(handle);
    if (type != heif_color_profile_type_prof && type != heif_color_profile_type_rICC) {
        return {};
    }
    std::vector<std::uint8_t> profile(heif_image_handle_get_raw_color_profile_size(handle));
    if (profile.empty() || profile.size() > kMaxMetadataBytes * 16 ||
        heif_image_handle_get_raw_color_profile(handle, profile.data()).code != heif_error_Ok) {
        return {};
    }
    return profile;
}

// The first EXIF block; libheif gives it behind a four-byte offset to the TIFF header.
std::vector<std::uint8_t> exifBlock(const heif_image_handle* handle) {
    heif_item_id id = 0;
    if (heif_image_handle_get_list_of_metadata_block_IDs(handle, "Exif", &id, 1) != 1) {
        return {};
    }
    const std::size_t size = heif_image_handle_get_metadata_size(handle, id);
    if (size < 4 || size > kMaxMetadataBytes) {
        return {};
    }
    std::vector<std::uint8_t> block(size);
    if (heif_image_handle_get_metadata(handle, id, block.data()).code != heif_error_Ok) {
        return {};
    }
    const std::uint32_t offset = (std::uint32_t{block[0]} << 24) | (std::uint32_t{block[1]} << 16) |
                                 (std::uint32_t{block[2]} << 8) | block[3];
    if (offset > size - 4) {
        return {};
    }
    return exifTiffStructure(std::span(block).subspan(4 + offset));
}

// Copies interleaved RGB or RGBA rows of 8 or 16 bits a sample into the picture.
bool copyPixels(const heif_image* image, bool alpha, Picture& picture) {
    int stride = 0;
    const std::uint8_t* plane =
        heif_image_get_plane_readonly(image, heif_channel_interleaved, &stride);
    const int bits = heif_image_get_bits_per_pixel_range(image, heif_channel_interleaved);
    if (plane == nullptr || bits < 8 || bits > 16 ||
        heif_image_get_width(image, heif_channel_interleaved) != picture.width ||
        heif_image_get_height(image, heif_channel_interleaved) != picture.height) {
        return false;
    }
    const std::size_t channels = alpha ? 4 : 3;
    const bool wide = bits > 8;
    const std::uint32_t maximum = (1u << bits) - 1;
    const auto width = static_cast<std::size_t>(picture.width);
    if (alpha) {
        picture.alpha.assign(width * static_cast<std::size_t>(picture.height), 255);
    }
    for (std::int32_t y = 0; y < picture.height; ++y) {
        const std::uint8_t* in = plane + static_cast<std::ptrdiff_t>(y) * stride;
        std::uint8_t* out = picture.row(y);
        for (std::size_t x = 0; x < width; ++x) {
            for (std::size_t c = 0; c < channels; ++c) {
                const std::size_t i = x * channels + c;
                const std::uint8_t v = wide ? scaleToByte(std::uint32_t{in[2 * i]} |
                                                              (std::uint32_t{in[2 * i + 1]} << 8),
                                                          maximum)
                                            : in[i];
                if (c < 3) {
                    out[3 * x + c] = v;
                } else {
                    picture.alpha[static_cast<std::size_t>(y) * width + x] = v;
                }
            }
        }
    }
    return true;
}

heif_chroma chromaFor(bool alpha, bool wide) {
    if (wide) {
        return alpha ? heif_chroma_interleaved_RRGGBBAA_LE : heif_chroma_interleaved_RRGGBB_LE;
    }
    return alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB;
}

Image decodeImage(const heif_image_handle* handle, bool alpha, bool wide) {
    const std::unique_ptr<heif_decoding_options, OptionsFree> options(
        heif_decoding_options_alloc());
    heif_image* image = nullptr;
    const heif_error error = heif_decode_image(handle, &image, heif_colorspace_RGB,
                                               chromaFor(alpha, wide), options.get());
    Image owned(image);
    if (error.code != heif_error_Ok) {
        return nullptr;
    }
    return owned;
}

} // namespace

DecodeResult decodeHeif(std::span<const std::uint8_t> data, Picture& picture, DecodedInfo& info,
                        bool headerOnly) {
    const Context context(heif_context_alloc());
    if (!context) {
        return decodeFailed("HEIF: out of memory");
    }
    heif_context_set_maximum_image_size_limit(context.get(), kMaxSide);
    heif_context_set_max_decoding_threads(context.get(), 0);
    if (heif_context_read_from_memory_without_copy(context.get(), data.data(), data.size(), nullptr)
            .code != heif_error_Ok) {
        return decodeFailed("HEIF: not a readable HEIF or AVIF file");
    }
    heif_image_handle* rawHandle = nullptr;
    const heif_error found = heif_context_get_primary_image_handle(context.get(), &rawHandle);
    const Handle handle(rawHandle);
    if (found.code != heif_error_Ok || !handle) {
        return decodeFailed("HEIF: no primary image");
    }
    info.width = heif_image_handle_get_width(handle.get());
    info.height = heif_image_handle_get_height(handle.get());
    if (headerOnly) {
        return decodeComplete();
    }
    if (!pictureFitsData(info.width, info.height, data.size(), expansion::kLibraryCodec)) {
        return decodeFailed("HEIF: picture larger than its data");
    }
    const bool alpha = heif_image_handle_has_alpha_channel(handle.get()) != 0;
    const bool wide = heif_image_handle_get_luma_bits_per_pixel(handle.get()) > 8;
    info.iccProfile = colourProfile(handle.get());
    info.exif = exifBlock(handle.get());
    // libheif applies the file's rotation and mirroring: the carried block must say upright.
    setExifOrientationUpright(info.exif);
    // libheif decodes into a picture of its own; ours is made only once that has succeeded.
    const Image image = decodeImage(handle.get(), alpha, wide);
    if (!image) {
        return decodeFailed("HEIF: damaged image data");
    }
    Picture result = makePicture(info.width, info.height, PixelFormat::Rgb24);
    if (!copyPixels(image.get(), alpha, result)) {
        return decodeFailed("HEIF: damaged image data");
    }
    picture = std::move(result);
    return decodeComplete();
}

} // namespace fotoplex
