#pragma once

#include <algorithm>
#include <cstdint>
#include <system_error>
#include <thread>
#include <vector>

namespace fotoplex::resample {

// The first index of part `part` when `count` indices are cut into `parts` ranges that differ
// by at most one in length.
inline std::int32_t partStart(std::int32_t count, std::int32_t parts, std::int32_t part) {
    return static_cast<std::int32_t>(std::int64_t{count} * part / parts);
}

// Runs body(part, begin, end) for each of `parts` ranges of [0, count): the first on the
// calling thread, the others on threads of their own, and returns once all are done. The
// ranges are disjoint and each is computed exactly as a single thread would, so the number of
// parts never changes a result. A thread the system refuses is replaced by the calling thread.
// `body` must not throw.
template <typename Body>
void forEachPart(std::int32_t count, std::int32_t parts, const Body& body) {
    std::vector<std::jthread> others;
    std::vector<std::int32_t> refused;
    others.reserve(static_cast<std::size_t>(parts));
    refused.reserve(static_cast<std::size_t>(parts));
    for (std::int32_t part = 1; part < parts; ++part) {
        const std::int32_t begin = partStart(count, parts, part);
        const std::int32_t end = partStart(count, parts, part + 1);
        try {
            others.emplace_back([&body, part, begin, end] { body(part, begin, end); });
        } catch (const std::system_error&) {
            refused.push_back(part);
        }
    }
    body(0, 0, partStart(count, parts, 1));
    for (const std::int32_t part : refused) {
        body(part, partStart(count, parts, part), partStart(count, parts, part + 1));
    }
}

} // namespace fotoplex::resample
