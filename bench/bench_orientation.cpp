// The cost of turning a picture upright beside the cost of decoding it, on the camera
// photographs: each is decoded, then turned as for Orientation 3 (a half turn, in place),
// 6 (a quarter turn, into one new buffer) and 5 (mirrored along the diagonal). The last
// column is the cost of a new zeroed buffer of the picture's size alone, the floor of a
// quarter turn.
// Times are CPU milliseconds, best of five.
// Usage: bench_orientation [FOLDER] (default: the shared camera photographs). Skips when absent.
#include "CameraPhotos.h"
#include "engine/Orientation.h"
#include "engine/RasterImage.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kRounds = 5;

// CPU seconds of this thread: the machine is shared, and CPU time suffers less from other
// work than wall time.
double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Best time of the rounds; `prepare` runs before each round, outside the timing.
template <typename Prepare, typename Work> double bestSeconds(Prepare prepare, Work work) {
    double best = 1e30;
    for (int i = 0; i < kRounds; ++i) {
        prepare();
        const double start = cpuSeconds();
        work();
        best = std::min(best, cpuSeconds() - start);
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<fs::path> photos = cameraPhotos(argc, argv);
    if (photos.empty()) {
        std::printf("no camera photographs: skipped\n");
        return 0;
    }
    std::printf("%-28s %7s | %9s | %9s %6s | %9s %6s | %9s %6s | %9s\n", "photo", "Mpixel",
                "decode ms", "turn 3 ms", "share", "turn 6 ms", "share", "turn 5 ms", "share",
                "buffer ms");
    double sumDecode = 0;
    double sumTurn6 = 0;
    for (const fs::path& photo : photos) {
        fotoplex::RasterImage image;
        image.AutoUndo = false;
        const double decode = bestSeconds([] {}, [&] { image.ReadPictureFile(photo.string()); });
        const fotoplex::Picture stored = image.picture();
        double turns[3] = {};
        const std::uint16_t orientations[3] = {3, 6, 5};
        for (int k = 0; k < 3; ++k) {
            fotoplex::Picture picture;
            turns[k] = bestSeconds([&] { picture = stored; },
                                   [&] {
                                       fotoplex::turnUpright(picture, orientations[k]);
                                       benchmark::DoNotOptimize(picture.pixels.data());
                                   });
        }
        // The floor of a quarter turn: a new buffer of the picture's size, filled once.
        const double buffer = bestSeconds([] {},
                                          [&] {
                                              std::vector<std::uint8_t> fresh(stored.pixels.size());
                                              benchmark::DoNotOptimize(fresh.data());
                                          });
        const double megapixels = stored.width * static_cast<double>(stored.height) / 1e6;
        std::printf("%-28s %7.1f | %9.1f | %9.1f %5.1f%% | %9.1f %5.1f%% | %9.1f %5.1f%% | %9.1f\n",
                    photo.filename().string().c_str(), megapixels, decode * 1e3, turns[0] * 1e3,
                    100 * turns[0] / decode, turns[1] * 1e3, 100 * turns[1] / decode,
                    turns[2] * 1e3, 100 * turns[2] / decode, buffer * 1e3);
        sumDecode += decode;
        sumTurn6 += turns[1];
    }
    std::printf("all photos: decode %.1f ms, quarter turn %.1f ms (%.1f%% of the decode)\n",
                sumDecode * 1e3, sumTurn6 * 1e3, 100 * sumTurn6 / sumDecode);
    return 0;
}
