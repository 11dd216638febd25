#include "engine/RasterImage.h"

#include "base/Error.h"
#include "engine/CarriedMarkers.h"
#include "engine/Decoders.h"
#include "engine/FileBytes.h"
#include "engine/FileHeader.h"
#include "engine/PictureConvert.h"
#include "engine/ReaderTable.h"
#include "engine/Resample.h"
#include "engine/jpeg/JpegWriter.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>

namespace fotoplex {

namespace {

constexpr const char* kNoReaderReason = "no reader for this kind of file";

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The dimension that keeps the aspect ratio, in 64 bits so that no product can overflow.
std::int32_t keepAspect(std::int32_t given, std::int32_t sourceGiven, std::int32_t sourceOther) {
    const std::int64_t derived = std::int64_t{given} * sourceOther / sourceGiven;
    return static_cast<std::int32_t>(derived > INT32_MAX ? INT32_MAX : derived);
}

} // namespace

RasterImage::RasterImage(std::int32_t displayResolution) : displayResolution_(displayResolution) {
    FileParams.ResolutionX = displayResolution;
    FileParams.ResolutionY = displayResolution;
}

void RasterImage::ReadPictureFile(const std::string& path) {
    const FileFormat format = readerForPath(path);
    if (format == FileFormat::Unknown) {
        FileParams.Format = FileFormat::Unknown;
        Incomplete = true;
        IncompleteReason = kNoReaderReason;
        return;
    }
    const auto file = readFileBytes(path, kMaxFileBytes);
    if (!file) {
        throw cannotOpenFile(path, errno);
    }
    if (file->fileSize > file->bytes.size()) {
        // Larger than any picture we accept: damaged, like an oversized header.
        takeDecoded(format, {});
        IncompleteReason = "file too large";
        return;
    }
    takeDecoded(format, file->bytes);
}

void RasterImage::ReadPictureStream(std::span<const std::uint8_t> stream, FileFormat format) {
    if (format == FileFormat::Unknown) {
        FileParams.Format = FileFormat::Unknown; // as an extension without a reader
        Incomplete = true;
        IncompleteReason = kNoReaderReason;
        return;
    }
    takeDecoded(format, stream);
}

void RasterImage::takeDecoded(FileFormat format, std::span<const std::uint8_t> data) {
    Picture decoded;
    DecodedInfo info;
    JpegDetails jpeg;
    const DecodeResult result = decodeUpright(format, data, decoded, info, jpeg, false);
    Incomplete = result.status != DecodeStatus::Complete;
    IncompleteReason = Incomplete ? result.reason : std::string();
    if (result.status == DecodeStatus::Failed) {
        // Nothing could be read: the picture holds the rows read so far, that is none.
        picture_ = Picture{};
        FileParams.Width = 0;
        FileParams.Height = 0;
        FileParams.ResolutionX = 0;
        FileParams.ResolutionY = 0;
        FileParams.Format = FileFormat::Unknown;
        FileParams.Orientation = 1;
        FileParams.Markers.clear();
        return;
    }
    picture_ = std::move(decoded);
    FileParams.Width = picture_.width;
    FileParams.Height = picture_.height;
    FileParams.ResolutionX = info.resolutionX;
    FileParams.ResolutionY = info.resolutionY;
    FileParams.Format = format;
    FileParams.Orientation = info.orientation;
    if (format == FileFormat::Jpeg) {
        FileParams.ColorSpace = jpeg.colorSpace;
        FileParams.Markers = std::move(jpeg.markers);
    } else {
        FileParams.Markers = carriedMarkers(info);
    }
}

void RasterImage::ReadFileHeader(const std::string& path) {
    const FileHeader header = readFileHeader(path);
    FileParams.Format = header.format;
    if (header.format == FileFormat::Unknown) {
        return;
    }
    FileParams.Width = header.info.width;
    FileParams.Height = header.info.height;
    FileParams.ResolutionX = header.info.resolutionX;
    FileParams.ResolutionY = header.info.resolutionY;
    FileParams.Orientation = header.info.orientation;
}

bool RasterImage::writeJpegTo(std::FILE* file) const {
    // A 1-bit picture is written through a 24-bit copy; the picture itself stays 1-bit.
    const Picture wide = picture_.format == PixelFormat::Bilevel ? widenToRgb(picture_) : Picture{};
    const Picture& source = picture_.format == PixelFormat::Bilevel ? wide : picture_;
    JpegWriteSettings settings;
    settings.quality = FileParams.Quality;
    settings.progressive = FileParams.Progressive;
    settings.colorSpace = FileParams.ColorSpace;
    settings.dotsPerInchX =
        FileParams.ResolutionX > 0 ? FileParams.ResolutionX : displayResolution_;
    settings.dotsPerInchY =
        FileParams.ResolutionY > 0 ? FileParams.ResolutionY : displayResolution_;
    // A profile kept from the source must describe the colour space written.
    const std::vector<JpegMarker> markers =
        withoutMismatchedProfile(FileParams.Markers, FileParams.ColorSpace);
    settings.markers = &markers;
    return writeJpeg(file, source, settings);
}

void RasterImage::WriteJpegFile(const std::string& path) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        throw cannotCreateFile(path, errno);
    }
    const bool written = writeJpegTo(file.get());
    const bool closed = std::fclose(file.release()) == 0;
    Incomplete = !(written && closed);
    if (Incomplete) {
        throw Error("JPeg corrupted file");
    }
}

std::string RasterImage::JpegBytes() {
    char* data = nullptr;
    std::size_t size = 0;
    std::FILE* memory = ::open_memstream(&data, &size);
    if (memory == nullptr) {
        throw std::bad_alloc();
    }
    const bool written = writeJpegTo(memory);
    const bool closed = std::fclose(memory) == 0;
    std::string bytes = data != nullptr ? std::string(data, size) : std::string();
    std::free(data);
    Incomplete = !(written && closed);
    if (Incomplete) {
        throw Error("JPeg corrupted file");
    }
    return bytes;
}

void RasterImage::Resample(std::int32_t width, std::int32_t height, TResampleFilter filter,
                           std::int32_t threads) {
    if (picture_.empty()) {
        return;
    }
    if (AutoUndo) {
        snapshot_ = picture_;
    }
    if (width < 0 && height < 0) {
        return;
    }
    if (width < 0) {
        width = keepAspect(height, picture_.height, picture_.width);
    } else if (height < 0) {
        height = keepAspect(width, picture_.width, picture_.height);
    }
    if (width == 0 || height == 0) {
        // A destination with no pixels: the picture becomes empty (a zero box gives an empty
        // picture, which the JPEG writer then refuses).
        const PixelFormat format = picture_.format;
        picture_ = makePicture(width, height, format);
        return;
    }
    picture_ = resamplePicture(picture_, width, height, filter, threads);
}

void RasterImage::Undo() {
    if (snapshot_) {
        picture_ = *snapshot_;
    }
}

} // namespace fotoplex
