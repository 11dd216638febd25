#pragma once

#include "engine/DisplayResolution.h"
#include "engine/FileFormat.h"
#include "engine/Picture.h"
#include "engine/ResampleFilter.h"
#include "engine/jpeg/JpegTypes.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace fotoplex {

// What a `RasterImage` knows about the file it last read and how it writes JPEG files.
// `Format` holds a FileFormat number, 0 (unknown) to 13 (Windows icon or cursor); FileFormat.h
// lists them.
struct TFileParams {
    std::int32_t Width = 0; // pixel size of the file last read, picture or header
    std::int32_t Height = 0;
    std::int32_t ResolutionX = 0; // dots per inch of the file last read, 0 when it gives none
    std::int32_t ResolutionY = 0;
    FileFormat Format = FileFormat::Unknown;
    std::int32_t Quality = 50; // 1 to 100; every writer sets it before writing
    bool Progressive = false;
    JpegColorSpace ColorSpace = JpegColorSpace::YCbCr; // what WriteJpegFile writes
    std::vector<JpegMarker> Markers;                   // written after the JPEG header, in order
    // How the file last read says it is stored (1 upright); Width and Height are the upright
    // size, and the picture has been turned upright.
    std::uint16_t Orientation = 1;
};

// The one picture object of the program: a picture in memory with its file parameters, the
// readers, the JPEG writer, resampling and one undo snapshot. Used by one thread at a time.
class RasterImage {
public:
    // `displayResolution` is the density written into JPEG files whose source gave none.
    explicit RasterImage(std::int32_t displayResolution = defaultDisplayResolution());

    TFileParams FileParams;
    bool AutoUndo = true;         // when true, Resample stores a snapshot first
    bool Incomplete = false;      // the last read or write stopped before the end
    std::string IncompleteReason; // why the last read stopped early; empty when it did not

    // Replaces the picture and FileParams with the file's content, the reader chosen by the
    // lower-cased extension. Throws "Cannot open file %s" when the file cannot be opened.
    // Without a reader for the extension: Format 0, Incomplete, picture unchanged. Damaged
    // data: Incomplete, the picture holds what was read.
    void ReadPictureFile(const std::string& path);

    // As ReadPictureFile for bytes already in memory in a stated format.
    void ReadPictureStream(std::span<const std::uint8_t> stream, FileFormat format);

    // Width, Height (upright: exchanged when the file says it is stored turned a quarter),
    // ResolutionX, ResolutionY, Format and Orientation from the file's header, the format
    // recognised by the leading bytes. Never throws; an unknown or unreadable file sets
    // Format 0 and keeps the other fields. The picture is not touched.
    void ReadFileHeader(const std::string& path);

    // Writes the picture as a JPEG file under FileParams. Throws "Cannot create file %s: reason"
    // or, for a codec error (an empty picture is one), "JPeg corrupted file" with Incomplete set;
    // a file created so far stays on disk.
    void WriteJpegFile(const std::string& path);
    // The same JPEG as bytes in memory, for a caller that writes the file itself. Throws
    // "JPeg corrupted file" with Incomplete set for a codec error.
    std::string JpegBytes();

    // Resizes the picture; a negative dimension follows the aspect ratio of the other.
    // `threads` is how many threads the resize may use (the same result for any number).
    void Resample(std::int32_t width, std::int32_t height, TResampleFilter filter,
                  std::int32_t threads = 1);

    // Copies the snapshot back into the picture; the snapshot stays for a next Undo.
    void Undo();

    std::int32_t width() const { return picture_.width; }
    std::int32_t height() const { return picture_.height; }
    const Picture& picture() const { return picture_; }
    void assignPicture(Picture picture) { picture_ = std::move(picture); }
    bool hasUndoSnapshot() const { return snapshot_.has_value(); }

private:
    bool writeJpegTo(std::FILE* file) const;
    void takeDecoded(FileFormat format, std::span<const std::uint8_t> data);

    Picture picture_;
    std::optional<Picture> snapshot_;
    std::int32_t displayResolution_;
};

} // namespace fotoplex
