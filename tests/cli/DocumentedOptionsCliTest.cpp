// The manual page and the shell completion keep up with the options the commands accept.
#include "cli/CliRunner.h"

#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace fotoplex {
namespace {

using fotoplex::testing::runCli;

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The long options a command's help names.
std::set<std::string> longOptions(const std::string& help) {
    std::set<std::string> options;
    const std::regex option("--[a-z][a-z-]*");
    for (auto it = std::sregex_iterator(help.begin(), help.end(), option);
         it != std::sregex_iterator(); ++it) {
        options.insert(it->str());
    }
    return options;
}

TEST(DocumentedOptions, EveryOptionInACommandsHelpIsInTheManualAndTheCompletion) {
    // roff writes a hyphen as \-.
    const std::string manual = std::regex_replace(
        fileText(FOTOPLEX_SOURCE_DIR "/docs/man/fotoplex-cli.1"), std::regex(R"(\\-)"), "-");
    const std::string completion =
        fileText(FOTOPLEX_SOURCE_DIR "/resources/desktop/fotoplex-cli.bash");
    ASSERT_FALSE(manual.empty());
    ASSERT_FALSE(completion.empty());
    std::size_t checked = 0;
    for (const char* command : {"project", "info", "convert", "build", "demo"}) {
        const auto help = runCli({command, "--help"});
        ASSERT_EQ(help.status, 0) << command;
        const std::set<std::string> options = longOptions(help.out);
        checked += options.size();
        for (const std::string& option : options) {
            EXPECT_NE(manual.find(option), std::string::npos) << command << " " << option;
            EXPECT_NE(completion.find(option), std::string::npos) << command << " " << option;
        }
    }
    EXPECT_GE(checked, 15u) << "the helps no longer name their options as --name";
}

} // namespace
} // namespace fotoplex
