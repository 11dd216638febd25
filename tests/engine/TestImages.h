#pragma once

#include "engine/Picture.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace fotoplex::test {

// A picture as an outside tool decoded it: netpbm P5/P6 or PAM (P7), 8 bits a sample.
struct Expected {
    int width = 0;
    int height = 0;
    int channels = 0; // 1 grey, 2 grey+alpha, 3 RGB, 4 RGBA
    std::vector<std::uint8_t> samples;

    std::uint8_t rgb(int x, int y, int c) const; // grey is spread over the three
    std::uint8_t alpha(int x, int y) const;      // 255 without an alpha channel
};

Expected loadExpected(const std::string& path);

std::string dataPath(const std::string& relative);

// The largest difference of any RGB sample between picture and expected (the picture
// widened to RGB first); 256 when the sizes differ.
int largestDifference(const Picture& picture, const Expected& expected);
// The mean absolute difference of the RGB samples; 256 when the sizes differ.
double meanDifference(const Picture& picture, const Expected& expected);

// A fresh folder under the build tree, removed when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

std::vector<std::uint8_t> readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

// Runs a shell command and returns its standard output (empty when it fails).
std::string commandOutput(const std::string& command);
bool toolPresent(const std::string& tool);

} // namespace fotoplex::test
