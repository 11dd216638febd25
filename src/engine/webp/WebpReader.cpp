#include "engine/webp/WebpReader.h"

#include "engine/CarriedMarkers.h"
#include "engine/Exif.h"
#include "engine/PictureConvert.h"
#include "engine/readers/DecodeResults.h"

#include <algorithm>
#include <memory>
#include <vector>
#include <webp/decode.h>
#include <webp/demux.h>

namespace fotoplex {

namespace {

struct DemuxDelete {
    void operator()(WebPDemuxer* d) const { WebPDemuxDelete(d); }
};
struct AnimDelete {
    void operator()(WebPAnimDecoder* d) const { WebPAnimDecoderDelete(d); }
};
struct IncrementalDelete {
    void operator()(WebPIDecoder* d) const { WebPIDelete(d); }
};

std::vector<std::uint8_t> chunkPayload(const WebPDemuxer* demux, const char fourcc[4]) {
    WebPChunkIterator chunk;
    std::vector<std::uint8_t> payload;
    if (WebPDemuxGetChunk(demux, fourcc, 1, &chunk) != 0) {
        payload.assign(chunk.chunk.bytes, chunk.chunk.bytes + chunk.chunk.size);
    }
    WebPDemuxReleaseChunkIterator(&chunk);
    return payload;
}

// The colour profile and EXIF block, from as much of the file as there is.
void readMetadata(std::span<const std::uint8_t> data, DecodedInfo& info) {
    const WebPData whole{data.data(), data.size()};
    WebPDemuxState state = WEBP_DEMUX_PARSE_ERROR;
    const std::unique_ptr<WebPDemuxer, DemuxDelete> demux(WebPDemuxPartial(&whole, &state));
    if (!demux) {
        return;
    }
    const std::uint32_t flags = WebPDemuxGetI(demux.get(), WEBP_FF_FORMAT_FLAGS);
    if ((flags & ICCP_FLAG) != 0) {
        info.iccProfile = chunkPayload(demux.get(), "ICCP");
    }
    if ((flags & EXIF_FLAG) != 0) {
        info.exif = exifTiffStructure(chunkPayload(demux.get(), "EXIF"));
        info.orientation = readExifOrientation(info.exif).value_or(1);
    }
}

// A still picture through the incremental decoder, so that cut data keeps its decoded rows.
// It writes into the picture's own buffer (RGBA with alpha, split afterwards); returns the
// rows decoded.
std::int32_t decodeStill(std::span<const std::uint8_t> data, bool alpha, Picture& picture) {
    const auto width = static_cast<std::size_t>(picture.width);
    const auto height = static_cast<std::size_t>(picture.height);
    const std::size_t stride = width * (alpha ? 4 : 3);
    const std::unique_ptr<WebPIDecoder, IncrementalDelete> decoder(
        WebPINewRGB(alpha ? MODE_RGBA : MODE_RGB, picture.pixels.data(), stride * height,
                    static_cast<int>(stride)));
    if (!decoder) {
        return 0;
    }
    const VP8StatusCode status = WebPIUpdate(decoder.get(), data.data(), data.size());
    int rowsDone = 0;
    WebPIDecGetRGB(decoder.get(), &rowsDone, nullptr, nullptr, nullptr);
    rowsDone = status == VP8_STATUS_OK ? picture.height : std::clamp(rowsDone, 0, picture.height);
    if (alpha) {
        // Rows not reached are black and opaque, as in the other readers.
        for (std::size_t i = static_cast<std::size_t>(rowsDone) * width; i < width * height; ++i) {
            picture.pixels[4 * i + 3] = 255;
        }
        splitAlpha(picture.pixels.data(), picture, true);
    }
    return rowsDone;
}

// The first frame of an animation, composed on the canvas.
bool decodeFirstFrame(std::span<const std::uint8_t> data, bool alpha, Picture& picture) {
    WebPAnimDecoderOptions options;
    if (WebPAnimDecoderOptionsInit(&options) == 0) {
        return false;
    }
    options.color_mode = MODE_RGBA;
    options.use_threads = 0;
    const WebPData whole{data.data(), data.size()};
    const std::unique_ptr<WebPAnimDecoder, AnimDelete> decoder(
        WebPAnimDecoderNew(&whole, &options));
    WebPAnimInfo animation;
    std::uint8_t* canvas = nullptr;
    int timestamp = 0;
    if (!decoder || WebPAnimDecoderGetInfo(decoder.get(), &animation) == 0 ||
        animation.canvas_width != static_cast<std::uint32_t>(picture.width) ||
        animation.canvas_height != static_cast<std::uint32_t>(picture.height) ||
        WebPAnimDecoderGetNext(decoder.get(), &canvas, &timestamp) == 0) {
        return false;
    }
    splitAlpha(canvas, picture, alpha);
    return true;
}

} // namespace

DecodeResult decodeWebp(std::span<const std::uint8_t> data, Picture& picture, DecodedInfo& info,
                        bool headerOnly) {
    WebPBitstreamFeatures features;
    if (WebPGetFeatures(data.data(), data.size(), &features) != VP8_STATUS_OK) {
        return decodeFailed("WebP: not a readable WebP header");
    }
    info.width = features.width;
    info.height = features.height;
    // The EXIF Orientation says how the pixels are stored; the engine turns them upright.
    readMetadata(data, info);
    if (headerOnly) {
        return decodeComplete();
    }
    if (!pictureFitsData(info.width, info.height, data.size(), expansion::kLibraryCodec)) {
        return decodeFailed("WebP: picture larger than its data");
    }
    const bool alpha = features.has_alpha != 0;
    if (features.has_animation != 0) {
        Picture frame = makePicture(info.width, info.height, PixelFormat::Rgb24);
        if (!decodeFirstFrame(data, alpha, frame)) {
            return decodeFailed("WebP: damaged image data");
        }
        picture = std::move(frame);
        return decodeComplete();
    }
    Picture still = alpha ? makeRgbaPicture(info.width, info.height)
                          : makePicture(info.width, info.height, PixelFormat::Rgb24);
    const std::int32_t rows = decodeStill(data, alpha, still);
    if (rows == 0) {
        return decodeFailed("WebP: damaged image data");
    }
    picture = std::move(still);
    return rows == info.height ? decodeComplete() : decodeIncomplete("WebP: damaged image data");
}

} // namespace fotoplex
