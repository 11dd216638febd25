#include "engine/webp/WebpReader.h"

#include "engine/Exif.h"

#include "engine/CarriedMarkers.h"
#include "engine/readers/DecodeResults.h"

#include <webp/decode.h>
#include <webp/demux.h>

#include <cstring>
#include <memory>
#include <vector>

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

// Splits RGBA rows into the picture's RGB pixels and its alpha channel.
void splitAlpha(const std::uint8_t* rgba, std::size_t pixels, Picture& picture, bool keepAlpha) {
    if (keepAlpha) {
        picture.alpha.resize(pixels);
    }
    for (std::size_t i = 0; i < pixels; ++i) {
        std::memcpy(&picture.pixels[3 * i], &rgba[4 * i], 3);
        if (keepAlpha) {
            picture.alpha[i] = rgba[4 * i + 3];
        }
    }
}

// A still picture through the incremental decoder, so that cut data keeps its decoded rows.
bool decodeStill(std::span<const std::uint8_t> data, bool alpha, Picture& picture) {
    const auto width = static_cast<std::size_t>(picture.width);
    const auto height = static_cast<std::size_t>(picture.height);
    std::vector<std::uint8_t> rgba(alpha ? width * height * 4 : 0);
    std::uint8_t* target = alpha ? rgba.data() : picture.pixels.data();
    const std::size_t stride = width * (alpha ? 4 : 3);
    const std::unique_ptr<WebPIDecoder, IncrementalDelete> decoder(
        WebPINewRGB(alpha ? MODE_RGBA : MODE_RGB, target, stride * height, static_cast<int>(stride)));
    if (!decoder) {
        return false;
    }
    const VP8StatusCode status = WebPIUpdate(decoder.get(), data.data(), data.size());
    if (alpha) {
        // Rows not reached are black and opaque, as in the other readers.
        int rowsDone = 0;
        WebPIDecGetRGB(decoder.get(), &rowsDone, nullptr, nullptr, nullptr);
        for (std::size_t i = static_cast<std::size_t>(rowsDone < 0 ? 0 : rowsDone) * width;
             i < width * height; ++i) {
            rgba[4 * i + 3] = 255;
        }
        splitAlpha(rgba.data(), width * height, picture, true);
    }
    return status == VP8_STATUS_OK;
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
    const std::unique_ptr<WebPAnimDecoder, AnimDelete> decoder(WebPAnimDecoderNew(&whole, &options));
    WebPAnimInfo animation;
    std::uint8_t* canvas = nullptr;
    int timestamp = 0;
    if (!decoder || WebPAnimDecoderGetInfo(decoder.get(), &animation) == 0 ||
        animation.canvas_width != static_cast<std::uint32_t>(picture.width) ||
        animation.canvas_height != static_cast<std::uint32_t>(picture.height) ||
        WebPAnimDecoderGetNext(decoder.get(), &canvas, &timestamp) == 0) {
        return false;
    }
    splitAlpha(canvas, static_cast<std::size_t>(picture.width) * picture.height, picture, alpha);
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
    if (!sizeAllowed(info.width, info.height)) {
        return decodeFailed("WebP: picture too large");
    }
    Picture result = makePicture(info.width, info.height, PixelFormat::Rgb24);
    const bool alpha = features.has_alpha != 0;
    const bool whole = features.has_animation != 0 ? decodeFirstFrame(data, alpha, result)
                                                   : decodeStill(data, alpha, result);
    picture = std::move(result);
    return whole ? decodeComplete() : decodeIncomplete("WebP: damaged image data");
}

} // namespace fotoplex
