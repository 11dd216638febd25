#include "base/VersionRequest.h"

#include "base/Version.h"

#include <iostream>
#include <string_view>

namespace fotoplex {

std::optional<int> AnswerVersionRequest(const char* program, int argc, const char* const* argv) {
    if (argc != 2 || std::string_view(argv[1]) != "--version") {
        return std::nullopt;
    }
    std::cout << program << ' ' << kVersionText << '\n';
    return std::cout.flush() ? 0 : 1;
}

} // namespace fotoplex
