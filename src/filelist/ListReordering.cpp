#include "filelist/ListReordering.h"

#include "filelist/SourcePath.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <limits>
#include <numeric>

namespace fotoplex {

namespace {

Moment modificationTime(const std::string& path) {
    std::error_code ec;
    const auto written = std::filesystem::last_write_time(path, ec);
    if (ec) {
        return Moment{std::numeric_limits<std::int64_t>::max(), 0};
    }
    const auto since = std::chrono::file_clock::to_sys(written).time_since_epoch();
    const auto seconds = std::chrono::floor<std::chrono::seconds>(since);
    const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(since - seconds);
    return Moment{seconds.count(), static_cast<std::int32_t>(nanoseconds.count())};
}

} // namespace

std::optional<Reordering> reorderingNamed(const std::string& word) {
    if (word == "name") {
        return Reordering::ByName;
    }
    if (word == "date") {
        return Reordering::ByDateTaken;
    }
    if (word == "reverse") {
        return Reordering::Reverse;
    }
    return std::nullopt;
}

Moment photoMoment(const std::string& path) {
    const std::string found = resolveSourcePath(path);
    if (const auto taken = readDateTaken(found)) {
        return *taken;
    }
    return modificationTime(found);
}

std::vector<std::size_t> reorderedIndices(const std::vector<std::string>& files, Reordering how,
                                          const FileOrder& order, const MomentOf& momentOf) {
    std::vector<std::size_t> indices(files.size());
    std::iota(indices.begin(), indices.end(), std::size_t{0});
    switch (how) {
    case Reordering::ByName:
        std::stable_sort(indices.begin(), indices.end(), [&](std::size_t a, std::size_t b) {
            return order.before(files[a], files[b]);
        });
        break;
    case Reordering::ByDateTaken: {
        // Each file's header is read once, not once per comparison.
        std::vector<Moment> moments;
        moments.reserve(files.size());
        for (const std::string& path : files) {
            moments.push_back(momentOf(path));
        }
        std::stable_sort(indices.begin(), indices.end(),
                         [&](std::size_t a, std::size_t b) { return moments[a] < moments[b]; });
        break;
    }
    case Reordering::Reverse:
        std::reverse(indices.begin(), indices.end());
        break;
    }
    return indices;
}

bool reorderFiles(std::vector<std::string>& files, Reordering how, const FileOrder& order,
                  const MomentOf& momentOf) {
    const std::vector<std::size_t> indices = reorderedIndices(files, how, order, momentOf);
    if (std::is_sorted(indices.begin(), indices.end())) {
        return false;
    }
    std::vector<std::string> reordered;
    reordered.reserve(files.size());
    for (const std::size_t i : indices) {
        reordered.push_back(files[i]);
    }
    files = std::move(reordered);
    return true;
}

} // namespace fotoplex
