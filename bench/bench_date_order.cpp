// Sort by Date Taken on 1,000 photos: the file list's one-off order, which reads each photo's
// header for its EXIF date. The photos are 1,000 distinct files, each the leading 256 KiB of
// one of the camera photographs (all the header reading ever touches), named in another order
// than their dates. Sort by Name is timed beside it, and exiftool reading the same dates from
// the same files (-fast2, one process for the folder, run once) as the peer.
// Times are wall-clock milliseconds (the reading waits on the file system), best of five.
// Usage: bench_date_order [FOLDER] (default: the shared camera photographs). Skips when absent.
#include "CameraPhotos.h"
#include "filelist/ListReordering.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kPhotos = 1000;
constexpr int kRounds = 5;
constexpr std::size_t kLeading = 256 * 1024;

template <typename Work> double bestMilliseconds(Work work) {
    double best = 1e30;
    for (int i = 0; i < kRounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

std::vector<std::string> makePhotos(const fs::path& folder, const std::vector<fs::path>& sources) {
    std::vector<std::string> leading;
    for (const fs::path& source : sources) {
        std::ifstream in(source, std::ios::binary);
        std::string bytes(kLeading, '\0');
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        bytes.resize(static_cast<std::size_t>(in.gcount()));
        leading.push_back(bytes);
    }
    std::vector<std::string> paths;
    for (int i = 0; i < kPhotos; ++i) {
        // Names run against the list order, so that neither order is the one given.
        const fs::path path = folder / ("IMG_" + std::to_string(100000 - i) + ".jpg");
        std::ofstream(path, std::ios::binary)
            << leading[static_cast<std::size_t>(i) % leading.size()];
        paths.push_back(path.string());
    }
    return paths;
}

double exiftoolMilliseconds(const fs::path& folder) {
    if (std::system("command -v exiftool >/dev/null 2>&1") != 0) {
        return -1;
    }
    const std::string command =
        "exiftool -q -fast2 -s3 -DateTimeOriginal '" + folder.string() + "' >/dev/null 2>&1";
    // One run: it takes seconds, and a process start per photo is not what is compared.
    const auto start = std::chrono::steady_clock::now();
    (void)std::system(command.c_str());
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    return took.count();
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<fs::path> sources = cameraPhotos(argc, argv);
    if (sources.empty()) {
        std::printf("no camera photographs: skipped\n");
        return 0;
    }
    const fs::path folder = fs::temp_directory_path() / "fotoplex-bench-date-order";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::vector<std::string> photos = makePhotos(folder, sources);
    const fotoplex::FileOrder order(fotoplex::compareIgnoringCase);

    const double byDate = bestMilliseconds([&] {
        std::vector<std::string> files = photos;
        fotoplex::reorderFiles(files, fotoplex::Reordering::ByDateTaken, order);
    });
    const double byName = bestMilliseconds([&] {
        std::vector<std::string> files = photos;
        fotoplex::reorderFiles(files, fotoplex::Reordering::ByName, order);
    });
    const double peer = exiftoolMilliseconds(folder);
    std::printf("%d photos (leading %zu KiB of %zu camera photographs), best of %d, wall ms\n",
                kPhotos, kLeading / 1024, sources.size(), kRounds);
    std::printf("  Sort by Date Taken   %8.1f ms  (%.1f us a photo)\n", byDate,
                byDate * 1000 / kPhotos);
    std::printf("  Sort by Name         %8.1f ms\n", byName);
    if (peer >= 0) {
        std::printf("  exiftool -fast2      %8.1f ms  ratio %.1f (above 1: we are faster)\n", peer,
                    peer / byDate);
    } else {
        std::printf("  exiftool not installed: no peer\n");
    }
    fs::remove_all(folder);
    return 0;
}
