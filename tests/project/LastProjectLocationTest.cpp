#include "project/LastProjectLocation.h"

#include "../base/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fotoplex {
namespace {

using testing::TempFolder;

// Sets an environment variable for one test and puts the old value back.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
            had_ = true;
        }
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment() {
        if (had_) {
            setenv(name_, old_.c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

TEST(LastProjectLocationTest, BesideTheProgramWhenItsFolderIsWritable) {
    TempFolder program;
    EXPECT_EQ(lastProjectPath(program.dir()), program.dir() + "last.hgp");
}

TEST(LastProjectLocationTest, UserDataFolderWhenTheProgramFolderIsNotWritable) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "the superuser may write anywhere";
    }
    TempFolder program;
    TempFolder data;
    std::filesystem::permissions(program.dir(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    ScopedEnvironment xdg("XDG_DATA_HOME", data.dir() + "share");
    EXPECT_EQ(lastProjectPath(program.dir()), data.dir() + "share/fotoplex/last.hgp");
}

TEST(LastProjectLocationTest, MissingProgramFolderFallsBackToTheDataFolder) {
    TempFolder data;
    ScopedEnvironment xdg("XDG_DATA_HOME", data.dir() + "share");
    EXPECT_EQ(lastProjectPath(data.file("gone/bin")), data.dir() + "share/fotoplex/last.hgp");
}

TEST(LastProjectLocationTest, InstalledProgramUsesTheDataFolderEvenWhenItsFolderIsWritable) {
    TempFolder prefix;
    TempFolder data;
    std::filesystem::create_directories(prefix.file("bin"));
    std::filesystem::create_directories(prefix.file("share/fotoplex"));
    ScopedEnvironment xdg("XDG_DATA_HOME", data.dir() + "share");
    EXPECT_EQ(lastProjectPath(prefix.file("bin")), data.dir() + "share/fotoplex/last.hgp");
    // A bin folder without the program's shared files is a build or a copy: beside it.
    TempFolder bare;
    std::filesystem::create_directories(bare.file("bin"));
    EXPECT_EQ(lastProjectPath(bare.file("bin")), bare.file("bin") + "/last.hgp");
}

TEST(LastProjectLocationTest, DataFolderDefaultsToTheHomeShare) {
    ScopedEnvironment xdg("XDG_DATA_HOME", "");
    ScopedEnvironment home("HOME", "/home/ann");
    EXPECT_EQ(userDataFolder(), "/home/ann/.local/share/fotoplex");
}

TEST(LastProjectLocationTest, PreparingCreatesTheDataFolder) {
    TempFolder data;
    const std::string path = data.file("a/b/fotoplex/last.hgp");
    prepareLastProjectFolder(path);
    EXPECT_TRUE(std::filesystem::is_directory(data.file("a/b/fotoplex")));
    EXPECT_FALSE(std::filesystem::exists(path));
}

} // namespace
} // namespace fotoplex
