#include <cstdio>
#include <iostream>
#include <string>

#include "base/Version.h"
#include "base/VersionRequest.h"
#include "cli/Commands.h"

namespace {

using fotoplex::cli::Args;

struct Command {
    const char* name;
    const char* summary;
    int (*run)(const Args&);
};

const Command kCommands[] = {
    {"project", "create, change and show project files (.hgp)", fotoplex::cli::runProjectCommand},
    {"info", "print the format, size and resolution of picture files", fotoplex::cli::runInfoCommand},
    {"convert", "read a picture and write it as JPEG, PPM, PBM or PGM", fotoplex::cli::runConvertCommand},
    {"build", "build the gallery of a project", fotoplex::cli::runBuildCommand},
    {"demo", "build a gallery of the bundled samples", fotoplex::cli::runDemoCommand},
};

void printUsage(std::ostream& out) {
    out << "Usage: fotoplex-cli COMMAND [ARGS...]\n\n"
           "Fotoplex " << fotoplex::kVersionText << " from the command line.\n\nCommands:\n";
    for (const Command& command : kCommands) {
        out << "  " << command.name << std::string(10 - std::string(command.name).size(), ' ')
            << command.summary << "\n";
    }
    out << "\n'fotoplex-cli COMMAND --help' tells more; 'fotoplex-cli --version' prints the "
           "version.\n";
}

} // namespace

int main(int argc, char** argv) {
    if (const auto status = fotoplex::AnswerVersionRequest("fotoplex-cli", argc, argv)) {
        return *status;
    }
    const Args words(argv + 1, argv + argc);
    if (words.empty()) {
        printUsage(std::cerr);
        return fotoplex::cli::kExitUsage;
    }
    if (words[0] == "--help" || words[0] == "-h" || words[0] == "help") {
        printUsage(std::cout);
        return fotoplex::cli::kExitOk;
    }
    for (const Command& command : kCommands) {
        if (words[0] == command.name) {
            return command.run(Args(words.begin() + 1, words.end()));
        }
    }
    std::cerr << "fotoplex-cli: unknown command '" << words[0] << "'\n\n";
    printUsage(std::cerr);
    return fotoplex::cli::kExitUsage;
}
