#include "production/OutputNaming.h"

#include "base/Error.h"
#include "base/Text.h"
#include "project/TProject.h"

#include <algorithm>
#include <sys/stat.h>
#include <vector>

namespace fotoplex {

namespace {

// Only the folder settings read "\" as a delimiter (withPlatformDelimiters); on Linux a
// file may carry one in its name (a\y.jpg), and that name stays whole.
bool isDelimiter(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/' || c == ':';
#else
    return c == '/';
#endif
}

// A stored folder setting with the platform's delimiter in place of the other one.
std::string withPlatformDelimiters(std::string folder) {
    std::replace_if(
        folder.begin(), folder.end(), [](char c) { return c == '\\' || c == '/'; }, kPathDelimiter);
    return folder;
}

std::string withTrailingDelimiter(std::string path) {
    if (path.empty() || path.back() != kPathDelimiter) {
        path += kPathDelimiter;
    }
    return path;
}

std::string folderPath(const TProject& project, const std::string& folderSetting) {
    return withTrailingDelimiter(project.TargetDir.str() + withPlatformDelimiters(folderSetting));
}

// The non-empty components of a path, split at every delimiter.
std::vector<std::string> components(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (isDelimiter(c)) {
            if (!part.empty()) {
                parts.push_back(part);
            }
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) {
        parts.push_back(part);
    }
    return parts;
}

bool sameFolderName(const std::string& a, const std::string& b) {
#ifdef _WIN32
    return toLowerAscii(a) == toLowerAscii(b);
#else
    return a == b;
#endif
}

#ifdef _WIN32
bool onOtherDrive(const std::string& a, const std::string& b) {
    const auto drive = [](const std::string& p) {
        return p.size() >= 2 && p[1] == ':' ? toLowerAscii(p.substr(0, 1)) : std::string();
    };
    return drive(a) != drive(b);
}
#else
bool onOtherDrive(const std::string&, const std::string&) {
    return false;
}
#endif

} // namespace

std::string SourceFileName(const std::string& path) {
    const auto last = std::find_if(path.rbegin(), path.rend(), isDelimiter);
    return std::string(last.base(), path.end());
}

std::string SourceBaseName(const std::string& path) {
    const std::string name = SourceFileName(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string ImageFolderPath(const TProject& project) {
    return folderPath(project, project.ImageFolder.str());
}

std::string ThumbFolderPath(const TProject& project) {
    return folderPath(project, project.ThumbFolder.str());
}

std::string ImageFilePath(const TProject& project, const std::string& source) {
    return ImageFolderPath(project) + SourceFileName(source);
}

std::string ThumbFilePath(const TProject& project, const std::string& source) {
    return ThumbFolderPath(project) + project.ThumbPrefix.str() + SourceBaseName(source) +
           project.ThumbSuffix.str() + ".jpg";
}

std::string ImagePageFileName(const std::string& fileName) {
    std::string name = fileName;
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos) {
        name[dot] = '_';
    }
    return name + ".html";
}

std::string BackgroundFileName(const TProject& project) {
    // Unlike a source's name, the background's stays split at "\" as well, so that a project
    // from Windows (C:\Pictures\Back.JPG) still names its copy back.jpg.
    const std::string& path = project.BackgroundImagePath.str();
    const std::size_t last = path.find_last_of("/\\");
    const std::string name =
        SourceFileName(last == std::string::npos ? path : path.substr(last + 1));
    return project.ConvertLow ? toLowerAscii(name) : name;
}

void EnsureOutputFolder(const std::string& folderPath) {
    struct stat info {};
    if (::stat(folderPath.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        return;
    }
    if (::mkdir(folderPath.c_str(), 0777) != 0) {
        throw cannotCreateFolder(folderPath);
    }
}

std::string RelativeToTarget(const TProject& project, const std::string& absolutePath) {
    const std::string& target = project.TargetDir.str();
    if (onOtherDrive(target, absolutePath)) {
        return absolutePath;
    }
    const std::vector<std::string> targetFolders = components(target);
    std::vector<std::string> pathFolders = components(absolutePath);
    const std::string fileName = SourceFileName(absolutePath);
    if (!fileName.empty()) {
        pathFolders.pop_back();
    }

    std::size_t common = 0;
    while (common < targetFolders.size() && common < pathFolders.size() &&
           sameFolderName(targetFolders[common], pathFolders[common])) {
        ++common;
    }
    std::string relative;
    for (std::size_t i = common; i < targetFolders.size(); ++i) {
        relative += std::string("..") + kPathDelimiter;
    }
    for (std::size_t i = common; i < pathFolders.size(); ++i) {
        relative += pathFolders[i] + kPathDelimiter;
    }
    return relative + fileName;
}

} // namespace fotoplex
