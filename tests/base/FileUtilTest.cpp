#include "base/FileUtil.h"

#include "FileSizeLimit.h"
#include "TempFolder.h"
#include "base/Error.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fotoplex {
namespace {

using testing::exists;
using testing::makeReadOnly;
using testing::ownerMayWrite;
using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;

// Runs fn and returns the message of the Error it raises ("" when it raises none).
template <typename Fn> std::string errorOf(Fn fn) {
    try {
        fn();
    } catch (const Error& e) {
        return e.what();
    }
    return "";
}

const std::string kPhoto = std::string("\xFF\xD8\xFF\xE0 photo\0bytes\r\n\x1A end", 22);

TEST(FileSizeByNameTest, SizeOfFilesAndZeroForEverythingElse) {
    TempFolder tmp;
    writeBytes(tmp.file("a.jpg"), std::string(3000, 'x'));
    writeBytes(tmp.file("empty"), "");
    writeBytes(tmp.file("locked.jpg"), std::string(1025, 'y'));
    makeReadOnly(tmp.file("locked.jpg"));
    std::filesystem::create_directory(tmp.file("folder"));

    EXPECT_EQ(FileSizeByName(tmp.file("a.jpg")), 3000);
    EXPECT_EQ(FileSizeByName(tmp.file("locked.jpg")), 1025);
    EXPECT_EQ(FileSizeByName(tmp.file("empty")), 0);
    EXPECT_EQ(FileSizeByName(tmp.file("missing.jpg")), 0);
    EXPECT_EQ(FileSizeByName(tmp.file("folder")), 0);
    EXPECT_EQ(FileSizeByName(tmp.file("no/such/folder/a.jpg")), 0);
    EXPECT_EQ(FileSizeByName(""), 0);
}

TEST(CopyFileReplacingTest, CopiesEveryByteAndEmptiesALongerDestination) {
    TempFolder tmp;
    writeBytes(tmp.file("src.jpg"), kPhoto);
    writeBytes(tmp.file("dst.jpg"), std::string(5000, 'o'));

    CopyFileReplacing(tmp.file("src.jpg"), tmp.file("dst.jpg"));
    EXPECT_EQ(readBytes(tmp.file("dst.jpg")), kPhoto);
    EXPECT_EQ(readBytes(tmp.file("src.jpg")), kPhoto);

    CopyFileReplacing(tmp.file("src.jpg"), tmp.file("new.jpg"));
    EXPECT_EQ(readBytes(tmp.file("new.jpg")), kPhoto);
}

TEST(CopyFileReplacingTest, CopiesALargeFileWhole) {
    TempFolder tmp;
    std::string big(1'000'003, '\0');
    for (std::size_t i = 0; i < big.size(); ++i) {
        big[i] = static_cast<char>(i * 7 + i / 251);
    }
    writeBytes(tmp.file("big.tif"), big);
    CopyFileReplacing(tmp.file("big.tif"), tmp.file("copy.tif"));
    EXPECT_EQ(readBytes(tmp.file("copy.tif")), big);
}

TEST(CopyFileReplacingTest, ACopyThatCannotBeWrittenWholeLeavesThePreviousOne) {
    TempFolder tmp;
    writeBytes(tmp.file("big.tif"), std::string(300'000, 'x'));
    writeBytes(tmp.file("copy.tif"), "an older copy");
    const int status = testing::runWithFileSizeLimit(100'000, [&] {
        const std::string error =
            errorOf([&] { CopyFileReplacing(tmp.file("big.tif"), tmp.file("copy.tif")); });
        return error == "Cannot create file " + tmp.file("copy.tif") + ": File too large" ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readBytes(tmp.file("copy.tif")), "an older copy") << "no cut copy replaces it";
    EXPECT_EQ(readBytes(tmp.file("big.tif")).size(), 300'000u);
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(tmp.dir())) {
        ++files;
    }
    EXPECT_EQ(files, 2u) << "no temporary file stays behind";
}

TEST(CopyFileReplacingTest, ReplacesAReadOnlyDestinationAndClearsTheAttribute) {
    TempFolder tmp;
    writeBytes(tmp.file("src.jpg"), kPhoto);
    writeBytes(tmp.file("back.jpg"), "old");
    makeReadOnly(tmp.file("back.jpg"));

    CopyFileReplacing(tmp.file("src.jpg"), tmp.file("back.jpg"));
    EXPECT_EQ(readBytes(tmp.file("back.jpg")), kPhoto);
    EXPECT_TRUE(ownerMayWrite(tmp.file("back.jpg")));
}

TEST(CopyFileReplacingTest, NamesTheFileThatFailed) {
    TempFolder tmp;
    writeBytes(tmp.file("src.jpg"), kPhoto);
    std::filesystem::create_directory(tmp.file("folder"));

    EXPECT_EQ(errorOf([&] { CopyFileReplacing(tmp.file("missing.jpg"), tmp.file("d.jpg")); }),
              "Cannot open file " + tmp.file("missing.jpg") + ": No such file or directory");
    EXPECT_FALSE(exists(tmp.file("d.jpg")));
    EXPECT_EQ(errorOf([&] { CopyFileReplacing(tmp.file("folder"), tmp.file("d.jpg")); }),
              "Cannot open file " + tmp.file("folder") + ": Is a directory");
    EXPECT_EQ(errorOf([&] { CopyFileReplacing(tmp.file("src.jpg"), tmp.file("no/d.jpg")); }),
              "Cannot create file " + tmp.file("no/d.jpg") + ": No such file or directory");
    EXPECT_EQ(errorOf([&] { CopyFileReplacing(tmp.file("src.jpg"), tmp.file("folder")); }),
              "Cannot create file " + tmp.file("folder") + ": Is a directory");
    EXPECT_EQ(readBytes(tmp.file("src.jpg")), kPhoto);
}

TEST(CopyFileReplacingTest, ACopyOntoItselfFailsAndLeavesTheFileIntact) {
    TempFolder tmp;
    const std::string source = tmp.file("pics/back.jpg");
    writeBytes(source, kPhoto);
    makeReadOnly(source);
    ASSERT_EQ(::link(source.c_str(), tmp.file("hard.jpg").c_str()), 0);
    std::filesystem::create_symlink(source, tmp.file("soft.jpg"));

    const std::vector<std::string> sameFile = {source, tmp.dir() + "pics/./back.jpg",
                                               tmp.dir() + "pics/../pics/back.jpg",
                                               tmp.file("hard.jpg"), tmp.file("soft.jpg")};
    for (const std::string& destination : sameFile) {
        EXPECT_EQ(errorOf([&] { CopyFileReplacing(source, destination); }),
                  "Cannot create file " + destination);
        EXPECT_EQ(readBytes(source), kPhoto) << destination;
        // The source's read-only attribute is not cleared on the way either.
        EXPECT_FALSE(ownerMayWrite(source)) << destination;
    }
    // The other way round: the link is the source and the photo the destination.
    EXPECT_EQ(errorOf([&] { CopyFileReplacing(tmp.file("soft.jpg"), source); }),
              "Cannot create file " + source);
    EXPECT_EQ(readBytes(source), kPhoto);
}

TEST(WriteTextLinesTest, EndsEveryLineWithCrLfAndReplacesTheFile) {
    TempFolder tmp;
    const std::string path = tmp.file("page.html");
    writeBytes(path, std::string(400, 'z'));

    WriteTextLines(path, {"<html>", "", "caf\xE9 100% \"x\"", "</html>"});
    EXPECT_EQ(readBytes(path), "<html>\r\n\r\ncaf\xE9 100% \"x\"\r\n</html>\r\n");

    WriteTextLines(path, {});
    EXPECT_EQ(readBytes(path), "");
}

TEST(WriteTextLinesTest, AReadOnlyOrUncreatableFileFailsWithItsPath) {
    TempFolder tmp;
    const std::string locked = tmp.file("main.css");
    writeBytes(locked, "old rules");
    makeReadOnly(locked);

    EXPECT_EQ(errorOf([&] { WriteTextLines(locked, {"new"}); }), "Cannot create file " + locked);
    EXPECT_EQ(readBytes(locked), "old rules");
    EXPECT_EQ(errorOf([&] { WriteTextLines(tmp.file("no/page.html"), {"x"}); }),
              "Cannot create file " + tmp.file("no/page.html") + ": No such file or directory");
    std::filesystem::create_directory(tmp.file("index.html"));
    EXPECT_EQ(errorOf([&] { WriteTextLines(tmp.file("index.html"), {"x"}); }),
              "Cannot create file " + tmp.file("index.html") + ": Is a directory");
}

} // namespace
} // namespace fotoplex
