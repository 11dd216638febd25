#pragma once

// Helpers shared by the gallery tests: a scripted Dialogs, a project aimed at a temporary
// target folder, and reading a written page back as its lines.

#include "../base/TempFolder.h"
#include "base/Error.h"
#include "gallery/PageIdentity.h"
#include "ports/Dialogs.h"
#include "project/TProject.h"
#include "support/StrictDialogs.h"

#include <deque>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace fotoplex::testing {

// An identity that differs from the real program's, so the tests see it being used.
inline PageIdentity testIdentity() {
    return {"Fotoplex 9.8.7.6", "9.8.7.6", "http://home.test/"};
}

// A project with the documented defaults, aimed at folder, with Linux output folders and the
// documented charset (the Linux default is UTF-8).
inline TProject projectIn(const TempFolder& folder) {
    TProject project;
    project.TargetDir = folder.dir();
    project.ImageFolder = "img/";
    project.ThumbFolder = "thumbs/";
    project.Encoding = 18;
    return project;
}

// files named name1.jpg ... nameN.jpg in /pics.
inline std::vector<std::string> numberedFiles(int count, const std::string& name = "p") {
    std::vector<std::string> files;
    for (int k = 1; k <= count; ++k) {
        files.push_back("/pics/" + name + std::to_string(k) + ".jpg");
    }
    return files;
}

// The lines of a written text file; fails the test unless every line ends with CR LF.
inline std::vector<std::string> readLines(const std::string& path) {
    const std::string bytes = readBytes(path);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << path << ": text after the last CR LF";
            break;
        }
        const std::string line = bytes.substr(start, end - start);
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << path << ": bare CR or LF";
        lines.push_back(line);
        start = end + 2;
    }
    return lines;
}

inline int countOf(const std::vector<std::string>& lines, const std::string& line) {
    return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

inline bool contains(const std::vector<std::string>& lines, const std::string& line) {
    return countOf(lines, line) > 0;
}

template <typename Fn> std::string errorOf(Fn fn) {
    try {
        fn();
    } catch (const Error& e) {
        return e.what();
    }
    return "";
}

} // namespace fotoplex::testing
