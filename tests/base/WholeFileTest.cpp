// Files written beside their name and renamed over it: whole or absent, never cut, and the
// previous file untouched when writing fails.
#include "base/WholeFile.h"

#include "FileSizeLimit.h"
#include "TempFolder.h"
#include "base/Error.h"
#include "base/FileUtil.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fotoplex {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;

template <typename Fn> std::string errorOf(Fn fn) {
    try {
        fn();
    } catch (const Error& e) {
        return e.what();
    }
    return "";
}

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

mode_t modeOf(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

TEST(WholeFileTest, ReplacesTheFileAndKeepsItsPermissions) {
    TempFolder tmp;
    const std::string page = tmp.file("page.html");
    writeBytes(page, std::string(5000, 'o'));
    ::chmod(page.c_str(), 0640);
    WriteFileWhole(page, "new");
    EXPECT_EQ(readBytes(page), "new");
    EXPECT_EQ(modeOf(page), 0640u);

    const mode_t mask = ::umask(022);
    WriteFileWhole(tmp.file("fresh.html"), "x");
    ::umask(mask);
    EXPECT_EQ(modeOf(tmp.file("fresh.html")), 0644u) << "a new file is readable by the web server";
    EXPECT_EQ(namesIn(tmp.dir()), (std::vector<std::string>{"fresh.html", "page.html"}));
}

TEST(WholeFileTest, ALinkAtTheNameStaysALinkToTheNewBytes) {
    TempFolder tmp;
    writeBytes(tmp.file("real/main.css"), "old");
    fs::create_symlink(tmp.file("real/main.css"), tmp.file("main.css"));
    WriteFileWhole(tmp.file("main.css"), "new");
    EXPECT_TRUE(fs::is_symlink(tmp.file("main.css")));
    EXPECT_EQ(readBytes(tmp.file("real/main.css")), "new");
}

TEST(WholeFileTest, AWriteThatFailsLeavesThePreviousFileAndNoTemporaryOne) {
    TempFolder tmp;
    const std::string page = tmp.file("index.html");
    writeBytes(page, "the good page");
    const int status = testing::runWithFileSizeLimit(1000, [&] {
        const std::string created = errorOf([&] { WriteFileWhole(page, std::string(5000, 'x')); });
        const std::string written =
            errorOf([&] { WriteFileWhole(page, std::string(5000, 'x'), "Cannot write file"); });
        const std::string lines =
            errorOf([&] { WriteTextLines(page, std::vector<std::string>(100, "0123456789")); });
        const std::string ok = "Cannot create file " + page + ": File too large";
        return created == ok && lines == ok &&
                       written == "Cannot write file " + page + ": File too large"
                   ? 0
                   : 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readBytes(page), "the good page");
    EXPECT_EQ(namesIn(tmp.dir()), std::vector<std::string>{"index.html"});
}

TEST(WholeFileTest, AReplacementNeverCommittedChangesNothing) {
    TempFolder tmp;
    writeBytes(tmp.file("a.jpg"), "old picture");
    {
        FileReplacement file(tmp.file("a.jpg"));
        file.write("half", 4);
    }
    EXPECT_EQ(readBytes(tmp.file("a.jpg")), "old picture");
    EXPECT_EQ(namesIn(tmp.dir()), std::vector<std::string>{"a.jpg"});
}

TEST(WholeFileTest, EveryFailureNamesTheFileAndTheSystemsReason) {
    TempFolder tmp;
    fs::create_directory(tmp.file("index.html"));
    EXPECT_EQ(errorOf([&] { WriteFileWhole(tmp.file("index.html"), "x"); }),
              "Cannot create file " + tmp.file("index.html") + ": Is a directory");
    EXPECT_EQ(errorOf([&] { WriteFileWhole(tmp.file("gone/page.html"), "x"); }),
              "Cannot create file " + tmp.file("gone/page.html") + ": No such file or directory");
    if (::geteuid() != 0) { // root may write into any folder
        fs::create_directory(tmp.file("locked"));
        writeBytes(tmp.file("locked/main.css"), "old");
        ::chmod(tmp.file("locked").c_str(), 0555);
        EXPECT_EQ(errorOf([&] { WriteFileWhole(tmp.file("locked/main.css"), "new"); }),
                  "Cannot create file " + tmp.file("locked/main.css") + ": Permission denied");
        EXPECT_EQ(readBytes(tmp.file("locked/main.css")), "old");
    }
    EXPECT_EQ(namesIn(tmp.dir()).size(), geteuid() != 0 ? 2u : 1u);
}

} // namespace
} // namespace fotoplex
