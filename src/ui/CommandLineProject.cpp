#include "ui/CommandLineProject.h"

#include <filesystem>
#include <system_error>

namespace fotoplex {

std::optional<std::string> projectToOpen(const std::vector<std::string>& arguments) {
    bool optionsEnded = false;
    for (const std::string& word : arguments) {
        if (!optionsEnded && word == "--") {
            optionsEnded = true;
            continue;
        }
        if (word.empty() || (!optionsEnded && word.front() == '-')) {
            continue;
        }
        std::error_code ec;
        const std::filesystem::path absolute = std::filesystem::absolute(word, ec);
        return ec ? word : absolute.lexically_normal().string();
    }
    return std::nullopt;
}

} // namespace fotoplex
