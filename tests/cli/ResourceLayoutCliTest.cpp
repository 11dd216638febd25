// The real fotoplex-cli copied into other layouts: it finds the samples beside its bin folder
// in any prefix, and says clearly where it looked when they are missing.
#include "CliRunner.h"
#include "base/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fotoplex {
namespace {

namespace fs = std::filesystem;
using testing::CliResult;
using testing::runProgram;
using testing::TempFolder;

fs::path copyProgram(const fs::path& folder) {
    fs::create_directories(folder);
    const fs::path program = folder / "fotoplex-cli";
    fs::copy_file(FOTOPLEX_CLI, program);
    return program;
}

TEST(ResourceLayoutCli, AnyPrefixFindsItsOwnSamples) {
    TempFolder root;
    const fs::path prefix = root.file("opt/fotoplex");
    const fs::path program = copyProgram(prefix / "bin");
    const fs::path samples = prefix / "share" / "fotoplex" / "samples";
    fs::create_directories(samples);
    // One sample only: the build folder's five must not be the ones used.
    fs::copy_file(fs::path(FOTOPLEX_SOURCE_DIR) / "resources" / "samples" / "rocket.jpg",
                  samples / "rocket.jpg");
    const fs::path gallery = root.file("gallery");
    const CliResult r = runProgram(program.string(), {"demo", gallery.string()});
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(fs::exists(gallery / "img" / "rocket.jpg"));
    std::size_t pictures = 0;
    for (const auto& entry : fs::directory_iterator(gallery / "img")) {
        pictures += entry.is_regular_file() ? 1 : 0;
    }
    EXPECT_EQ(pictures, 1u);
}

TEST(ResourceLayoutCli, MissingFilesAreAnErrorNamingWhereItLooked) {
    TempFolder root;
    const fs::path program = copyProgram(root.file("loose/bin"));
    const fs::path gallery = root.file("gallery");
    const CliResult r = runProgram(program.string(), {"demo", gallery.string()});
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_NE(r.out.find("share/fotoplex"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(root.file("loose/bin")), std::string::npos) << r.out;
    EXPECT_FALSE(fs::exists(gallery));
}

TEST(ResourceLayoutCli, AnEmptySamplesFolderBuildsNothing) {
    TempFolder root;
    const fs::path program = copyProgram(root.file("usr/bin"));
    fs::create_directories(root.file("usr/share/fotoplex/samples"));
    const CliResult r = runProgram(program.string(), {"demo", root.file("gallery")});
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_NE(r.out.find("no sample photographs in " + root.file("usr/share/fotoplex/samples")),
              std::string::npos)
        << r.out;
}

} // namespace
} // namespace fotoplex
