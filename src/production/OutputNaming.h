#pragma once

// Where the produced files of every source go, and how the pages refer to them. No output
// name is stored: each is formed again from the project's settings whenever it is needed.
//
// Delimiters: on Linux the delimiter is "/". A folder setting or stored path written on
// Windows ("img\", "D:\Pics\Beach.JPG") has its "\" read as "/" when a path is formed; the
// stored text itself is kept. On Linux ":" is an ordinary character of a file name (there
// are no drives), so only "/" and "\" end a folder there; on Windows ":" ends the drive too.
// Folder names compare exactly on Linux and without regard to case on Windows.

#include <string>

namespace fotoplex {

class TProject;

#ifdef _WIN32
inline constexpr char kPathDelimiter = '\\';
#else
inline constexpr char kPathDelimiter = '/';
#endif

// The part of a stored path after its last delimiter (D:\Pics\Beach.JPG gives Beach.JPG on
// Windows); the whole path when it has none. Case and extension stay as stored. On Linux "/"
// is the only delimiter: /p/a\y.jpg gives a\y.jpg.
std::string SourceFileName(const std::string& path);

// The file name without its extension, which begins at the last ".": my.beach.png gives
// my.beach, README gives README, .jpg gives an empty text.
std::string SourceBaseName(const std::string& path);

// TargetDir followed by the folder setting, ending with a delimiter.
std::string ImageFolderPath(const TProject& project);
std::string ThumbFolderPath(const TProject& project);

// The image keeps the source's file name, extension included; the thumbnail is
// ThumbPrefix + base name + ThumbSuffix + ".jpg".
std::string ImageFilePath(const TProject& project, const std::string& source);
std::string ThumbFilePath(const TProject& project, const std::string& source);

// The page of a picture whose image is named fileName: the last "." replaced by "_", then
// ".html" (beach.jpg gives beach_jpg.html; scan01 gives scan01.html).
std::string ImagePageFileName(const std::string& fileName);

// The name of the background copy in the target folder: the last component of
// BackgroundImagePath, in lower case when ConvertLow is set.
std::string BackgroundFileName(const TProject& project);

// Creates the last level of folderPath unless the folder exists. Error:
// "Cannot create " followed by folderPath.
void EnsureOutputFolder(const std::string& folderPath);

// absolutePath relative to TargetDir, as the pages write it into links: ".." for every
// folder of TargetDir the path does not share, then the path's own remaining folders and its
// file name (img/Beach.JPG with the usual settings).
std::string RelativeToTarget(const TProject& project, const std::string& absolutePath);

} // namespace fotoplex
