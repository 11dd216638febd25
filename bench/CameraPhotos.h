#pragma once

// The camera photographs a benchmark runs on: the .jpg files of the folder named on its
// command line, else of the shared photo folder, in name order. Empty when there are none.
#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

inline std::vector<std::filesystem::path> cameraPhotos(int argc, char** argv) {
    namespace fs = std::filesystem;
    const fs::path folder =
        argc > 1 ? fs::path(argv[1]) : fs::path(FOTOPLEX_SHARED_DIR) / "photos" / "camera";
    std::vector<fs::path> photos;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (entry.path().extension() == ".jpg") {
            photos.push_back(entry.path());
        }
    }
    std::sort(photos.begin(), photos.end());
    return photos;
}
