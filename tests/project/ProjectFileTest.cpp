#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/Error.h"
#include "project/ProjectFields.h"
#include "project/ProjectFile.h"
#include "project/TProject.h"

namespace fotoplex {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class ProjectFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("fotoplex-project-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override {
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(folder);
    }

    std::string path(const std::string& name) const { return (folder / name).string(); }

    static Bytes readBytes(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    static void writeBytes(const std::string& file, const Bytes& bytes) {
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    static std::int32_t intAt(const Bytes& b, std::size_t at) {
        return static_cast<std::int32_t>(b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
                                         (static_cast<std::uint32_t>(b[at + 3]) << 24));
    }
    static std::string textAt(const Bytes& b, std::size_t at) {
        return std::string(b.begin() + static_cast<long>(at) + 1,
                           b.begin() + static_cast<long>(at) + 1 + b[at]);
    }
    std::string saved(TProject& project, const std::string& name = "p.hgp") {
        project.SaveAs(path(name));
        return path(name);
    }

    fs::path folder;
};

TEST_F(ProjectFileTest, EmptyProjectIs6502BytesWithTheDocumentedRecords) {
    TProject project;
    project.TargetDir = "C:\\My Documents";
    const Bytes b = readBytes(saved(project));
    ASSERT_EQ(b.size(), 6502u);
    EXPECT_EQ(intAt(b, 0), 0);
    EXPECT_EQ(b[4], 15);
    EXPECT_EQ(textAt(b, 4), "C:\\My Documents");
    EXPECT_EQ(b[4 + 16], 0) << "bytes after the text are zero";
    EXPECT_FALSE(project.Modified);
}

TEST_F(ProjectFileTest, TwoFilesGive7012BytesAndTheSettingsAt514) {
    TProject project;
    project.Files = {"/photos/a.jpg", "/photos/b.jpg"};
    project.TargetDir = "/gallery/";
    const Bytes b = readBytes(saved(project));
    ASSERT_EQ(b.size(), 7012u);
    EXPECT_EQ(intAt(b, 0), 2);
    EXPECT_EQ(textAt(b, 4), "/photos/a.jpg");
    EXPECT_EQ(textAt(b, 259), "/photos/b.jpg");
    EXPECT_EQ(textAt(b, 514), "/gallery/");
}

TEST_F(ProjectFileTest, FieldsStandAtTheirOffsets) {
    TProject project;
    project.BackgroundImagePath = "/bg.gif";
    project.ConvertLow = false;
    project.SortedList = true;
    project.ImgWidth = 0x01020304;
    project.ImgResizeMethod = 7;
    project.ThumbResizeMethod = -2;
    project.KeepThumbAspect = false;
    project.ProgressiveThumb = true;
    project.TableAutoWidth = false;
    project.MarginLeft = 11;
    project.MarginRight = 22;
    project.MarginTop = 33;
    project.MarginBottom = 44;
    project.BottomTitle = "Made by me ";
    project.Encoding = 17;
    project.OverwriteMode = 2;
    project.ShowWhenReady = true;
    const Bytes b = readBytes(saved(project));
    const std::size_t s = 4;
    EXPECT_EQ(textAt(b, s + 510), "/bg.gif");
    EXPECT_EQ(b[s + 765], 0);
    EXPECT_EQ(b[s + 766], 1);
    EXPECT_EQ(intAt(b, s + 1023), 0x01020304);
    EXPECT_EQ(b[s + 1023], 0x04) << "little-endian";
    EXPECT_EQ(intAt(b, s + 1036), 7);
    EXPECT_EQ(intAt(b, s + 1818), -2);
    EXPECT_EQ(b[s + 1822], 0);
    EXPECT_EQ(b[s + 1823], 1) << "group copy of ProgressiveThumb";
    EXPECT_EQ(b[s + 1824], 0) << "group copy of TableAutoWidth";
    EXPECT_EQ(b[s + 1825], 0);
    EXPECT_EQ(b[s + 1826], 1);
    EXPECT_EQ(b[s + 1827], 0);
    EXPECT_EQ(intAt(b, s + 1867), 11);
    EXPECT_EQ(intAt(b, s + 1871), 22);
    EXPECT_EQ(intAt(b, s + 1875), 33);
    EXPECT_EQ(intAt(b, s + 1879), 44);
    EXPECT_EQ(textAt(b, s + 4688), "Made by me ");
    EXPECT_EQ(intAt(b, s + 6481), 17);
    EXPECT_EQ(intAt(b, s + 6493), 2);
    EXPECT_EQ(b[s + 6497], 1);
}

TEST_F(ProjectFileTest, GroupCopiesFollowTheFlags) {
    for (int bits = 0; bits < 8; ++bits) {
        TProject project;
        project.KeepThumbAspect = bits & 1;
        project.ProgressiveThumb = bits & 2;
        project.TableAutoWidth = bits & 4;
        const Bytes b = readBytes(saved(project));
        EXPECT_EQ(b[4 + 1822], project.KeepThumbAspect ? 1 : 0);
        EXPECT_EQ(b[4 + 1823], b[4 + 1826]);
        EXPECT_EQ(b[4 + 1824], b[4 + 1827]);
    }
}

TEST_F(ProjectFileTest, ReaderTakesKeepThumbAspectFromTheGroupAndTheFlagsFromTheirOwnBytes) {
    TProject project;
    Bytes b = readBytes(saved(project));
    b[4 + 1822] = 0;  // KeepThumbAspect off
    b[4 + 1823] = 1;  // copies that disagree are ignored
    b[4 + 1824] = 0;
    b[4 + 1826] = 0;
    b[4 + 1827] = 1;
    writeBytes(path("p.hgp"), b);
    TProject loaded;
    loaded.Load(path("p.hgp"));
    EXPECT_FALSE(loaded.KeepThumbAspect);
    EXPECT_FALSE(loaded.ProgressiveThumb);
    EXPECT_TRUE(loaded.TableAutoWidth);
}

// Gives every setting a value of its own, different from the default.
void fillDistinct(TProject& project, std::mt19937& random) {
    int n = 0;
    for (const ProjectField& field : projectFields()) {
        ++n;
        std::visit(
            [&](auto member) {
                using T = std::remove_reference_t<decltype(project.*member)>;
                if constexpr (std::is_same_v<T, bool>) {
                    project.*member = !(project.*member);
                } else if constexpr (std::is_same_v<T, std::int32_t>) {
                    project.*member = static_cast<std::int32_t>(random());
                } else if constexpr (std::is_same_v<T, MetadataChoice>) {
                    project.*member = n % 2 ? MetadataChoice::Profile : MetadataChoice::NoLocation;
                } else {
                    project.*member = std::string(static_cast<std::size_t>(n % 7 + 1), 'a' + n % 26) +
                                      std::to_string(n);
                }
            },
            field.member);
    }
}

TEST_F(ProjectFileTest, RoundTripKeepsEverySettingAndTheFileOrder) {
    std::mt19937 random(7);
    TProject project;
    fillDistinct(project, random);
    project.Files = {"/z/last.jpg", "/a/first.png", "/a/first.png", ""};
    saved(project);

    TProject loaded;
    loaded.Load(path("p.hgp"));
    EXPECT_FALSE(loaded.Modified);
    EXPECT_EQ(loaded.FileName, "untitled.hgp") << "Load does not rename";
    EXPECT_EQ(loaded.Files, project.Files);
    for (const ProjectField& field : projectFields()) {
        EXPECT_EQ(fieldValueText(loaded, field), fieldValueText(project, field)) << field.name;
    }
}

TEST_F(ProjectFileTest, TextLengthsAtTheRecordLimit) {
    for (const std::size_t length : {0u, 1u, 254u, 255u}) {
        TProject project;
        project.DocTitle = std::string(length, 'q');
        project.Files = {std::string(length, 'f')};
        saved(project);
        const Bytes b = readBytes(path("p.hgp"));
        EXPECT_EQ(b.size(), 4u + 255 + 6498);
        TProject loaded;
        loaded.Load(path("p.hgp"));
        const std::size_t kept = std::min<std::size_t>(length, 254);
        EXPECT_EQ(loaded.DocTitle.str(), std::string(kept, 'q')) << length;
        ASSERT_EQ(loaded.Files.size(), 1u);
        EXPECT_EQ(loaded.Files[0], std::string(kept, 'f')) << length;
    }
}

TEST_F(ProjectFileTest, ALengthByteOf255ReadsTheWhole254Characters) {
    TProject project;
    Bytes b = readBytes(saved(project));
    const std::size_t title = 4 + 4178;
    b[title] = 255;
    for (std::size_t i = 1; i < 255; ++i) {
        b[title + i] = 'k';
    }
    writeBytes(path("p.hgp"), b);
    TProject loaded;
    loaded.Load(path("p.hgp"));
    EXPECT_EQ(loaded.DocTitle.str(), std::string(254, 'k'));
    EXPECT_EQ(loaded.TopTitle, "") << "the next record is still in its place";
}

TEST_F(ProjectFileTest, NegativeCountReadsTheSettingsFromOffset4) {
    TProject project;
    project.TableCols = 7;
    Bytes b = readBytes(saved(project));
    b[0] = b[1] = b[2] = b[3] = 0xFF;
    writeBytes(path("p.hgp"), b);
    TProject loaded;
    loaded.Files = {"stale"};
    loaded.Load(path("p.hgp"));
    EXPECT_TRUE(loaded.Files.empty());
    EXPECT_EQ(loaded.TableCols, 7);
}

TEST_F(ProjectFileTest, HugeCountStopsAtTheEndOfTheFile) {
    TProject project;
    project.Files = {"/one.jpg"};
    Bytes b = readBytes(saved(project));
    b[0] = 0xFF;
    b[1] = 0xFF;
    b[2] = 0xFF;
    b[3] = 0x7F;
    writeBytes(path("p.hgp"), b);
    TProject loaded;
    loaded.TableCols = 42;
    loaded.Load(path("p.hgp"));
    // 1 + 6498 / 255 whole records, then a cut one.
    EXPECT_EQ(loaded.Files.size(), 1u + 6498 / 255);
    EXPECT_EQ(loaded.Files[0], "/one.jpg");
    EXPECT_EQ(loaded.TableCols, 42) << "the settings were never reached";
    EXPECT_FALSE(loaded.Modified);
}

TEST_F(ProjectFileTest, ShortFilesKeepTheFieldsTheyDoNotReach) {
    TProject written;
    written.TargetDir = "/written/";
    written.TableCols = 9;
    written.ShowWhenReady = true;
    const Bytes full = readBytes(saved(written));

    // Cut inside the settings block, after TargetDir and before TableCols.
    writeBytes(path("cut.hgp"), Bytes(full.begin(), full.begin() + 4 + 1000));
    TProject loaded;
    loaded.TableCols = 2;
    loaded.Load(path("cut.hgp"));
    EXPECT_EQ(loaded.TargetDir, "/written/");
    EXPECT_EQ(loaded.TableCols, 2);
    EXPECT_FALSE(loaded.ShowWhenReady);
    EXPECT_FALSE(loaded.Modified);

    // Cut inside an integer: the integer keeps its value.
    writeBytes(path("cut2.hgp"), Bytes(full.begin(), full.begin() + 4 + 1846 + 2));
    TProject loaded2;
    loaded2.TableCols = 3;
    loaded2.Load(path("cut2.hgp"));
    EXPECT_EQ(loaded2.TableCols, 3);

    // Shorter than the count itself.
    writeBytes(path("tiny.hgp"), Bytes{1, 0});
    TProject loaded3;
    loaded3.Files = {"old"};
    loaded3.Load(path("tiny.hgp"));
    EXPECT_TRUE(loaded3.Files.empty());
    EXPECT_EQ(loaded3.TableCols, 4);

    // A file-list record cut by the end of the file is not taken.
    Bytes cutList = {2, 0, 0, 0};
    cutList.push_back(3);
    cutList.insert(cutList.end(), {'a', 'b', 'c'});
    cutList.resize(4 + 255 + 100, 0);
    writeBytes(path("list.hgp"), cutList);
    TProject loaded4;
    loaded4.Load(path("list.hgp"));
    EXPECT_EQ(loaded4.Files, std::vector<std::string>{"abc"});
}

TEST_F(ProjectFileTest, MissingFileLeavesTheProjectAlone) {
    TProject project;
    project.Files = {"/keep.jpg"};
    project.Modified = true;
    try {
        project.Load(path("nothing.hgp"));
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot open file " + path("nothing.hgp") + ": No such file or directory");
    }
    EXPECT_EQ(project.Files.size(), 1u);
    EXPECT_TRUE(project.Modified);
}

TEST_F(ProjectFileTest, ReadOnlyTargetFailsAndStaysAsItWas) {
    TProject first;
    first.DocTitle = "first";
    const std::string file = saved(first);
    const Bytes before = readBytes(file);
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);

    TProject second;
    second.DocTitle = "second";
    second.FileName = file;
    try {
        second.Save();
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot create file " + file);
    }
    EXPECT_TRUE(second.Modified);
    EXPECT_EQ(readBytes(file), before);
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
}

TEST_F(ProjectFileTest, UnwritableLocationsFailWithTheFileName) {
    TProject project;
    project.FileName = path("no-such-folder/p.hgp");
    EXPECT_THROW(project.Save(), Error);
    EXPECT_TRUE(project.Modified);

    fs::create_directories(folder / "dir.hgp");
    project.FileName = path("dir.hgp");
    EXPECT_THROW(project.Save(), Error);
    EXPECT_TRUE(fs::is_directory(folder / "dir.hgp"));
}

TEST_F(ProjectFileTest, SaveReplacesTheOldFileWholeAndLeavesNoTemporaryFiles) {
    TProject big;
    big.Files = std::vector<std::string>(10, "/x.jpg");
    const std::string file = saved(big);
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    TProject small;
    small.SaveAs(file);
    EXPECT_EQ(fs::file_size(file), 6502u);
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read)
        << "the file keeps its permissions";
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST_F(ProjectFileTest, SavingThroughALinkKeepsTheLink) {
    TProject project;
    const std::string real = saved(project, "real.hgp");
    fs::create_symlink(real, folder / "link.hgp");
    project.DocTitle = "via link";
    project.SaveAs(path("link.hgp"));
    EXPECT_TRUE(fs::is_symlink(folder / "link.hgp"));
    TProject loaded;
    loaded.Load(real);
    EXPECT_EQ(loaded.DocTitle, "via link");
}

TEST_F(ProjectFileTest, NeverWritesOverSomethingThatIsNotAFile) {
    fs::create_symlink("/dev/null", folder / "device.hgp");
    TProject project;
    project.FileName = path("device.hgp");
    EXPECT_THROW(project.Save(), Error);
}

} // namespace
} // namespace fotoplex
