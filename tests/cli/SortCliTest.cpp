// fotoplex-cli project set --sort: the file list's one-off orders from the command line, on
// photos given their dates by exiftool (tests/data/dates).
#include "base/TempFolder.h"
#include "cli/CliRunner.h"
#include "project/TProject.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fotoplex {
namespace {

using fotoplex::testing::readBytes;
using fotoplex::testing::runCli;
using fotoplex::testing::TempFolder;
using Files = std::vector<std::string>;

class SortCli : public ::testing::Test {
protected:
    TempFolder folder;
    std::string project = folder.file("trip.hgp");
    // Named so that name order and date order differ.
    std::string a = copy("original.heic", "a.heic");      // May 5
    std::string b = copy("original.webp", "b.webp");      // May 4
    std::string c = copy("original-offset.jpg", "c.jpg"); // May 1 10:00 UTC
    std::string d = copy("big-endian.jpg", "d.jpg");      // May 1 08:00 UTC

    std::string copy(const std::string& fixture, const std::string& name) {
        std::filesystem::copy_file(std::string(FOTOPLEX_TEST_DATA) + "/dates/" + fixture,
                                   folder.file(name));
        return folder.file(name);
    }
    Files files() {
        TProject loaded;
        loaded.Load(project);
        return loaded.Files;
    }
    void make(const Files& paths) {
        std::vector<std::string> args{"project", "new", project, "ConvertLow=false", "--add"};
        args.insert(args.end(), paths.begin(), paths.end());
        ASSERT_EQ(runCli(args).status, 0);
    }
};

TEST_F(SortCli, OrdersByDateNameAndReverse) {
    make({b, a, d, c});
    auto r = runCli({"project", "set", project, "--sort", "date"});
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(files(), (Files{d, c, b, a}));
    r = runCli({"project", "set", project, "--sort", "reverse"});
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(files(), (Files{a, b, c, d}));
    r = runCli({"project", "set", project, "--sort", "date"});
    ASSERT_EQ(r.status, 0) << r.out;
    r = runCli({"project", "set", project, "--sort", "name"});
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(files(), (Files{a, b, c, d}));
}

TEST_F(SortCli, SortsAfterTheOtherChanges) {
    make({a});
    // The added photos take part; SortedList turned off in the same call allows the sort.
    ASSERT_EQ(runCli({"project", "set", project, "SortedList=true"}).status, 0);
    const auto r =
        runCli({"project", "set", project, "SortedList=false", "--add", c, b, d, "--sort", "date"});
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(files(), (Files{d, c, b, a}));
}

TEST_F(SortCli, RefusedRequestsLeaveTheFileAsItWas) {
    make({b, a});
    ASSERT_EQ(runCli({"project", "set", project, "SortedList=true"}).status, 0);
    const std::string before = readBytes(project);
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--sort", "date"},
                                                 {"SortedList=false", "--sort", "size"},
                                                 {"SortedList=false", "--sort"},
                                                 {"SortedList=false", "--sort", "--add", c}}) {
        std::vector<std::string> all{"project", "set", project};
        all.insert(all.end(), args.begin(), args.end());
        const auto r = runCli(all);
        EXPECT_EQ(r.status, 2) << r.out;
        EXPECT_NE(r.out.find("--sort"), std::string::npos) << r.out;
        EXPECT_EQ(readBytes(project), before);
    }
    // Only set reorders: a new project has nothing to order yet.
    EXPECT_EQ(runCli({"project", "new", folder.file("new.hgp"), "--sort", "name"}).status, 2);
}

} // namespace
} // namespace fotoplex
