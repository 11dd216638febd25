#include "base/Version.h"
#include "cli/CliRunner.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace fotoplex {
namespace {

using fotoplex::testing::runCli;
using fotoplex::testing::shellQuote;

TEST(VersionOption, TheCommandLinePrintsItsNameAndVersion) {
    const auto r = runCli({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, std::string("fotoplex-cli ") + kVersionText + "\n");
    EXPECT_EQ(runCli({"--version", "extra"}).status, 2) << "only on its own";
}

#ifdef FOTOPLEX_WINDOW
// Answered before the window starts, so it works without any display.
TEST(VersionOption, TheWindowProgramAnswersWithoutADisplay) {
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " +
                                shellQuote(FOTOPLEX_WINDOW) + " --version 2>&1";
    const auto r = fotoplex::testing::runCommand(command);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, std::string("fotoplex ") + kVersionText + "\n");
}
#endif

} // namespace
} // namespace fotoplex
