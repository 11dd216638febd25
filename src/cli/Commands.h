#pragma once

#include <string>
#include <vector>

namespace fotoplex::cli {

// Exit statuses of fotoplex-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitError = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitIncomplete = 3;
inline constexpr int kExitPicturesNotMade = 4; // built, but some pictures could not be made whole

using Args = std::vector<std::string>;

// Each subcommand takes the words after its own name.
int runProjectCommand(const Args& args);
int runInfoCommand(const Args& args);
int runConvertCommand(const Args& args);
int runBuildCommand(const Args& args);
int runDemoCommand(const Args& args);

} // namespace fotoplex::cli
