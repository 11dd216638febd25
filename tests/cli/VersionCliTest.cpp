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
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string out;
    char buffer[256];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        out.append(buffer, n);
    }
    EXPECT_EQ(::pclose(pipe), 0);
    EXPECT_EQ(out, std::string("fotoplex ") + kVersionText + "\n");
}
#endif

} // namespace
} // namespace fotoplex
