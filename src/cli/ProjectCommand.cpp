#include <iostream>

#include "cli/Commands.h"

namespace fotoplex::cli {

int runProjectCommand(const Args&) {
    std::cerr << "fotoplex-cli project: not built yet\n";
    return kExitError;
}

} // namespace fotoplex::cli
