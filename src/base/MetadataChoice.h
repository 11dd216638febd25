#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace fotoplex {

// What of a source's metadata goes into a written picture.
//  All:        every comment and application marker, as read (the EXIF block unchanged).
//  NoLocation: the same without the location (the GPS part of the EXIF block).
//  Profile:    only the colour profile; no EXIF, no comments, no other application markers.
enum class MetadataChoice : std::uint8_t { All, NoLocation, Profile };

// The word the project file and the command line use: "all", "nolocation", "profile".
const char* metadataChoiceName(MetadataChoice choice);

// The choice a word names; nothing for any other word (letter case counts).
std::optional<MetadataChoice> parseMetadataChoice(std::string_view word);

} // namespace fotoplex
