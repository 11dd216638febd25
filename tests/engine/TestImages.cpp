#include "TestImages.h"

#include "engine/PictureConvert.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <stdexcept>

namespace fotoplex::test {

namespace {

std::string nextToken(std::istream& in) {
    std::string token;
    while (in >> token) {
        if (token[0] == '#') {
            std::string rest;
            std::getline(in, rest);
            continue;
        }
        return token;
    }
    throw std::runtime_error("netpbm header cut short");
}

} // namespace

std::uint8_t Expected::rgb(int x, int y, int c) const {
    const std::size_t pixel = static_cast<std::size_t>(y) * width + x;
    const int colourChannels = channels >= 3 ? 3 : 1;
    return samples[pixel * channels + (colourChannels == 3 ? c : 0)];
}

std::uint8_t Expected::alpha(int x, int y) const {
    if (channels != 2 && channels != 4) {
        return 255;
    }
    const std::size_t pixel = static_cast<std::size_t>(y) * width + x;
    return samples[pixel * channels + channels - 1];
}

Expected loadExpected(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot open " + path);
    }
    Expected e;
    const std::string magic = nextToken(in);
    int maxValue = 255;
    if (magic == "P7") {
        for (std::string key = nextToken(in); key != "ENDHDR"; key = nextToken(in)) {
            if (key == "WIDTH") {
                e.width = std::stoi(nextToken(in));
            } else if (key == "HEIGHT") {
                e.height = std::stoi(nextToken(in));
            } else if (key == "DEPTH") {
                e.channels = std::stoi(nextToken(in));
            } else if (key == "MAXVAL") {
                maxValue = std::stoi(nextToken(in));
            } else if (key == "TUPLTYPE") {
                nextToken(in);
            }
        }
    } else if (magic == "P5" || magic == "P6") {
        e.width = std::stoi(nextToken(in));
        e.height = std::stoi(nextToken(in));
        maxValue = std::stoi(nextToken(in));
        e.channels = magic == "P5" ? 1 : 3;
    } else {
        throw std::runtime_error("unsupported netpbm type in " + path);
    }
    in.get(); // the single white-space character before the samples
    e.samples.resize(static_cast<std::size_t>(e.width) * e.height * e.channels);
    in.read(reinterpret_cast<char*>(e.samples.data()),
            static_cast<std::streamsize>(e.samples.size()));
    if (maxValue != 255) {
        for (std::uint8_t& s : e.samples) {
            s = static_cast<std::uint8_t>(s * 255 / maxValue);
        }
    }
    return e;
}

std::string dataPath(const std::string& relative) {
    return std::string(FOTOPLEX_TEST_DATA) + "/" + relative;
}

int largestDifference(const Picture& picture, const Expected& expected) {
    if (picture.width != expected.width || picture.height != expected.height) {
        return 256;
    }
    const Picture wide = widenToRgb(picture);
    int largest = 0;
    for (int y = 0; y < wide.height; ++y) {
        for (int x = 0; x < wide.width; ++x) {
            for (int c = 0; c < 3; ++c) {
                const int d = std::abs(wide.row(y)[3 * x + c] - expected.rgb(x, y, c));
                largest = std::max(largest, d);
            }
        }
    }
    return largest;
}

double meanDifference(const Picture& picture, const Expected& expected) {
    if (picture.width != expected.width || picture.height != expected.height) {
        return 256;
    }
    const Picture wide = widenToRgb(picture);
    double total = 0;
    for (int y = 0; y < wide.height; ++y) {
        for (int x = 0; x < wide.width; ++x) {
            for (int c = 0; c < 3; ++c) {
                total += std::abs(wide.row(y)[3 * x + c] - expected.rgb(x, y, c));
            }
        }
    }
    return total / (3.0 * wide.width * wide.height);
}

TempFolder::TempFolder() {
    std::random_device random;
    path_ = std::filesystem::path(FOTOPLEX_BINARY_DIR) / "test-tmp" /
            ("engine-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

std::string commandOutput(const std::string& command) {
    struct Closer {
        void operator()(std::FILE* f) const { pclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> pipe(popen(command.c_str(), "r"));
    if (!pipe) {
        return {};
    }
    std::string output;
    std::array<char, 4096> buffer{};
    while (const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe.get())) {
        output.append(buffer.data(), n);
    }
    return output;
}

bool toolPresent(const std::string& tool) {
    return !commandOutput("command -v " + tool + " 2>/dev/null").empty();
}

} // namespace fotoplex::test
