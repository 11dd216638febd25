#pragma once

// The caption a photo carries: the EXIF ImageDescription, else the XMP dc:description
// (its first language alternative). Cameras write blank or placeholder descriptions
// ("OLYMPUS DIGITAL CAMERA" is common, but so are runs of blanks); blank ones count as none.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace fotoplex {

// The caption in the markers of a JPEG file's head (the bytes before its picture data), as
// UTF-8 text with blanks trimmed; nothing when there is none or it is blank.
std::optional<std::string> JpegCaption(std::span<const std::uint8_t> head);

// The caption of the JPEG file at path, from its first bytes; nothing for any other file.
std::optional<std::string> ReadJpegCaption(const std::string& path);

// The description of an EXIF block (APP1 payload with its "Exif\0\0"); nothing when blank.
std::optional<std::string> ExifDescription(std::span<const std::uint8_t> app1);

// The first dc:description alternative of an XMP packet; nothing when blank.
std::optional<std::string> XmpDescription(std::string_view packet);

} // namespace fotoplex
