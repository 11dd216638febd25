#pragma once

#include "engine/FileFormat.h"
#include "engine/readers/Decode.h"

#include <cstdint>
#include <span>
#include <string>

namespace fotoplex {

// The format a file's leading bytes announce: the JPEG start-of-image marker, "GIF", the PNG
// signature, "II*" / "MM*" (classic and big TIFF), "BM", "P1" to "P6", and the PCX
// manufacturer byte 10 with a version of 5 or less, "RIFF....WEBP", the HEIF/AVIF file type
// box, the JPEG 2000 file and code stream signatures, the icon/cursor directory, and for
// Targa (which has none) a header whose fields all hold defined values. The extension plays
// no part. Formats without a reader are not told apart from unknown data.
FileFormat formatFromSignature(std::span<const std::uint8_t> leading);

struct FileHeader {
    FileFormat format = FileFormat::Unknown; // Unknown: not recognised or not readable
    DecodedInfo info;
};

// The header of a file held (or begun) in memory; Unknown when not recognised or unreadable.
FileHeader headerFromBytes(std::span<const std::uint8_t> data);

// Reads only the header of a file, with the format's own reader in header mode. Never
// throws; a file that cannot be opened gives Unknown.
FileHeader readFileHeader(const std::string& path);

} // namespace fotoplex
