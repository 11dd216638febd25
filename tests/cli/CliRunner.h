#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>
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

// Runs a shell command line and waits for it: what it wrote on its standard output (redirect
// standard error in the line to have it too) and its exit status (-1 when it did not exit).
inline CliResult runCommand(const std::string& command) {
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

// Runs a program with the given words, its input from stdinFile, its errors with its output.
inline CliResult runProgram(const std::string& program, const std::vector<std::string>& words,
                            const std::string& stdinFile = "/dev/null") {
    std::string command = shellQuote(program);
    for (const std::string& word : words) {
        command += " " + shellQuote(word);
    }
    return runCommand(command + " <" + shellQuote(stdinFile) + " 2>&1");
}

// Runs fotoplex-cli with the given words and waits for it.
inline CliResult runCli(const std::vector<std::string>& words,
                        const std::string& stdinFile = "/dev/null") {
    return runProgram(FOTOPLEX_CLI, words, stdinFile);
}

} // namespace fotoplex::testing
