#include "production/PictureNaming.h"

#include "base/Text.h"
#include "production/OutputNaming.h"
#include "project/PageStyle.h"
#include "project/TProject.h"

namespace fotoplex {

namespace {

// Where the extension of the path's file name begins; npos without one.
std::size_t extensionStart(const std::string& path) {
    const std::size_t nameStart = path.size() - SourceFileName(path).size();
    const std::size_t dot = path.rfind('.');
    return dot == std::string::npos || dot < nameStart ? std::string::npos : dot;
}

} // namespace

bool HasJpegExtension(const std::string& source) {
    const std::size_t dot = extensionStart(source);
    if (dot == std::string::npos) {
        return false;
    }
    const std::string extension = toLowerAscii(source.substr(dot));
    return extension == ".jpg" || extension == ".jpeg" || extension == ".jpe";
}

std::string PictureFilePath(const TProject& project, const std::string& source) {
    if (PageStyleOf(project) != PageStyleKind::Modern || !project.ResizeImages ||
        HasJpegExtension(source)) {
        return ImageFilePath(project, source);
    }
    return ImageFolderPath(project) + SourceBaseName(source) + ".jpg";
}

std::string JpegNamed(const std::string& path) {
    const std::size_t dot = extensionStart(path);
    return (dot == std::string::npos ? path : path.substr(0, dot)) + ".jpg";
}

std::string SharpFilePath(const std::string& picturePath) {
    const std::size_t dot = extensionStart(picturePath);
    if (dot == std::string::npos) {
        return picturePath + "@2x";
    }
    return picturePath.substr(0, dot) + "@2x" + picturePath.substr(dot);
}

} // namespace fotoplex
