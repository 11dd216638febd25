#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

namespace fotoplex::testing {

struct CliResult {
    int status = -1;
    std::string out; // standard output and standard error together
};

// Quotes one argument for the shell.
inline std::string shellQuote(const std::string& word) {
    std::string quoted = "'";
    for (char c : word) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// Runs fotoplex-cli with the given words and waits for it.
inline CliResult runCli(const std::vector<std::string>& words, const std::string& stdinFile = "/dev/null") {
    std::string command = shellQuote(FOTOPLEX_CLI);
    for (const std::string& word : words) {
        command += " " + shellQuote(word);
    }
    command += " <" + shellQuote(stdinFile) + " 2>&1";
    CliResult result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) {
        return result;
    }
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        result.out.append(buffer.data(), n);
    }
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

} // namespace fotoplex::testing
