#pragma once

// The names of the pictures the modern page style adds or renames, beside the plain output
// names (OutputNaming), so that the jobs and the pages form them alike.

#include <string>

namespace fotoplex {

class TProject;

// The resized image of a source as the project's page style names it: in the modern style a
// picture made from a non-JPEG source ends in ".jpg" (IMG_0002.heic gives IMG_0002.jpg), so
// that a visitor who saves it gets a file that opens everywhere. Otherwise ImageFilePath.
std::string PictureFilePath(const TProject& project, const std::string& source);

// The path with the extension of its file name replaced by ".jpg" (added when it has none).
std::string JpegNamed(const std::string& path);

// The sharper (twice the size) version beside a picture: "@2x" before the extension
// (tn_beach.jpg gives tn_beach@2x.jpg).
std::string SharpFilePath(const std::string& picturePath);

// True for a source whose extension says JPEG (.jpg, .jpeg, .jpe, any case).
bool HasJpegExtension(const std::string& source);

} // namespace fotoplex
