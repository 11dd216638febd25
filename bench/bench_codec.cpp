// Decodes and encodes the camera photographs with RasterImage and with libjpeg-turbo's own
// djpeg/cjpeg on the same files, and prints the times side by side with their ratio.
// Usage: bench_codec [FOLDER] (default: the shared camera photographs). Skips when absent.
#include "CameraPhotos.h"
#include "engine/RasterImage.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kRounds = 3;

template <typename Work> double bestSeconds(Work work) {
    double best = 1e30;
    for (int i = 0; i < kRounds; ++i) {
        const auto start = Clock::now();
        work();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

bool toolPresent(const char* tool) {
    return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

double runTool(const std::string& command) {
    return bestSeconds([&] {
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "failed: %s\n", command.c_str());
        }
    });
}

std::string quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<fs::path> photos = cameraPhotos(argc, argv);
    if (photos.empty()) {
        std::printf("no camera photographs: skipped\n");
        return 0;
    }
    const bool peers = toolPresent("djpeg") && toolPresent("cjpeg");
    const fs::path scratch = fs::temp_directory_path() / "fotoplex-bench-codec";
    fs::create_directories(scratch);
    const fs::path ppm = scratch / "photo.ppm";
    const fs::path ours = scratch / "ours.jpg";
    const fs::path theirs = scratch / "theirs.jpg";

    std::printf("%-28s %9s | %9s %9s %6s | %9s %9s %6s\n", "photo (quality 75)", "Mpixel",
                "decode s", "djpeg s", "ratio", "encode s", "cjpeg s", "ratio");
    double sumOurs = 0;
    double sumPeers = 0;
    for (const fs::path& photo : photos) {
        fotoplex::RasterImage image;
        image.AutoUndo = false;
        const double decode = bestSeconds([&] { image.ReadPictureFile(photo.string()); });
        image.FileParams.Quality = 75;
        const double encode = bestSeconds([&] { image.WriteJpegFile(ours.string()); });
        benchmark::DoNotOptimize(image.picture().pixels.data());
        double djpeg = 0;
        double cjpeg = 0;
        if (peers) {
            djpeg = runTool("djpeg -dct int -ppm -outfile /dev/null " + quoted(photo));
            std::system(("djpeg -ppm -outfile " + quoted(ppm) + " " + quoted(photo)).c_str());
            cjpeg = runTool("cjpeg -quality 75 -dct int -outfile " + quoted(theirs) + " " +
                            quoted(ppm));
        }
        const double megapixels = image.width() * static_cast<double>(image.height()) / 1e6;
        std::printf("%-28s %9.1f | %9.3f %9.3f %6.2f | %9.3f %9.3f %6.2f\n",
                    photo.filename().string().c_str(), megapixels, decode, djpeg,
                    peers ? decode / djpeg : 0.0, encode, cjpeg, peers ? encode / cjpeg : 0.0);
        sumOurs += decode + encode;
        sumPeers += djpeg + cjpeg;
    }
    if (peers) {
        std::printf("all photos: ours %.3f s, djpeg+cjpeg %.3f s, ratio %.2f "
                    "(peers include process start and PPM file input/output)\n",
                    sumOurs, sumPeers, sumOurs / sumPeers);
    }
    std::error_code error;
    fs::remove_all(scratch, error);
    return 0;
}
