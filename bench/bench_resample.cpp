// Resampling speed: a 4000 x 3000 24-bit picture to 640 x 480 and to 120 x 90 with every
// filter. `--write-ppm PATH` also writes the picture used, so that resample-peers.py can time
// other resizers on the very same pixels.
#include "engine/Picture.h"
#include "engine/Resample.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

using fotoplex::Picture;

constexpr int kSourceWidth = 4000;
constexpr int kSourceHeight = 3000;

// Smooth shapes with fine detail and a little noise, roughly like a photograph.
Picture makeTestPicture() {
    Picture p = fotoplex::makePicture(kSourceWidth, kSourceHeight, fotoplex::PixelFormat::Rgb24);
    std::mt19937 random(2024);
    for (int y = 0; y < kSourceHeight; ++y) {
        std::uint8_t* row = p.row(y);
        for (int x = 0; x < kSourceWidth; ++x) {
            const double u = x / 400.0;
            const double v = y / 300.0;
            const double base = 128 + 90 * std::sin(u * 1.7 + std::cos(v * 1.3)) * std::cos(v);
            const int noise = static_cast<int>(random() % 31) - 15;
            const int fine = ((x / 3 + y / 5) % 7) * 6;
            for (int c = 0; c < 3; ++c) {
                const int value = static_cast<int>(base) + noise + fine - 20 * c;
                row[3 * x + c] =
                    static_cast<std::uint8_t>(value < 0 ? 0 : (value > 255 ? 255 : value));
            }
        }
    }
    return p;
}

const Picture& testPicture() {
    static const Picture picture = makeTestPicture();
    return picture;
}

bool writePpm(const std::string& path) {
    const Picture& p = testPicture();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    std::fprintf(file, "P6\n%d %d\n255\n", p.width, p.height);
    const bool ok = std::fwrite(p.pixels.data(), 1, p.pixels.size(), file) == p.pixels.size();
    return std::fclose(file) == 0 && ok;
}

// Arguments: filter value, destination width, destination height.
void BM_Resample(benchmark::State& state) {
    const Picture& source = testPicture();
    const auto filter = static_cast<fotoplex::TResampleFilter>(state.range(0));
    const auto width = static_cast<std::int32_t>(state.range(1));
    const auto height = static_cast<std::int32_t>(state.range(2));
    for (auto _ : state) {
        Picture result = fotoplex::resamplePicture(source, width, height, filter);
        benchmark::DoNotOptimize(result.pixels.data());
    }
    state.SetLabel(std::string(fotoplex::kResampleFilterNames[state.range(0)]) + " " +
                   std::to_string(width) + "x" + std::to_string(height));
}

void allFiltersAndSizes(benchmark::internal::Benchmark* b) {
    for (int filter = 0; filter < fotoplex::kResampleFilterCount; ++filter) {
        b->Args({filter, 640, 480});
        b->Args({filter, 120, 90});
    }
}

BENCHMARK(BM_Resample)->Apply(allFiltersAndSizes)->Unit(benchmark::kMillisecond)->MinTime(0.5);

// The default filter split into ranges of rows on 1, 2 and 4 threads. Wall time: the work is
// spread over the threads, so their CPU time adds up to about the same.
void BM_ResampleThreads(benchmark::State& state) {
    const Picture& source = testPicture();
    const auto threads = static_cast<std::int32_t>(state.range(0));
    for (auto _ : state) {
        Picture result = fotoplex::resamplePicture(source, 640, 480, fotoplex::rfLanczos3, threads);
        benchmark::DoNotOptimize(result.pixels.data());
    }
    state.SetLabel("Lanczos3 640x480 on " + std::to_string(threads) + " threads");
}

BENCHMARK(BM_ResampleThreads)
    ->Arg(1)
    ->Arg(2)
    ->Arg(4)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.5)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--write-ppm") == 0 && i + 1 < argc) {
            if (!writePpm(argv[i + 1])) {
                std::fprintf(stderr, "Cannot create file %s\n", argv[i + 1]);
                return 1;
            }
            ++i;
            continue;
        }
        args.push_back(argv[i]);
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
