
#include "project/ProjectExtension.h"

#include "base/TempFolder.h"
#include "project/ProjectFile.h"
#include "project/TProject.h"

#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace fotoplex {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kPlainSize = 4 + kSettingsBlockSize;

class ProjectExtensionTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return folder.file(name); }

    static Bytes readBytes(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    static void writeBytes(const std::string& file, const Bytes& bytes) {
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    Bytes savedBytes(TProject project) {
        project.SaveAs(path("p.hgp"));
        return readBytes(path("p.hgp"));
    }
    // A default project's file with `tail` appended, loaded into a project whose extension
    // settings were not at their defaults.
    TProject loadWithTail(const Bytes& tail) {
        TProject plainProject;
        plainProject.TableCols = 7;
        Bytes b = savedBytes(plainProject);
        b.insert(b.end(), tail.begin(), tail.end());
        writeBytes(path("tail.hgp"), b);
        TProject loaded;
        loaded.ImageMetadata = MetadataChoice::Profile;
        loaded.ThumbMetadata = MetadataChoice::NoLocation;
        loaded.UnknownExtensionLines = {"Stale=1"};
        loaded.Load(path("tail.hgp"));
        EXPECT_EQ(loaded.TableCols, 7) << "the fixed settings are read as they stand";
        return loaded;
    }
    static Bytes block(const std::string& text, std::uint32_t length) {
        Bytes b(std::begin(kExtensionSignature), std::end(kExtensionSignature));
        for (int shift = 0; shift < 32; shift += 8) {
            b.push_back(static_cast<std::uint8_t>(length >> shift));
        }
        b.insert(b.end(), text.begin(), text.end());
        return b;
    }
    static Bytes block(const std::string& text) {
        return block(text, static_cast<std::uint32_t>(text.size()));
    }

    fotoplex::testing::TempFolder folder;
};

void expectDefaults(const TProject& p) {
    EXPECT_EQ(p.ImageMetadata, MetadataChoice::All);
    EXPECT_EQ(p.ThumbMetadata, MetadataChoice::All);
    EXPECT_TRUE(p.UnknownExtensionLines.empty());
}

TEST_F(ProjectExtensionTest, DefaultProjectIsThePlainFileByteForByte) {
    // Written by the version before the extension block existed, with the Windows defaults.
    const Bytes reference =
        readBytes(std::string(FOTOPLEX_TEST_DATA) + "/project/default-windows.hgp");
    ASSERT_EQ(reference.size(), 6502u);
    TProject project;
    project.TargetDir = "C:\\My Documents";
    project.SourceDir = "C:\\My Documents";
    project.ImageFolder = "img\\";
    project.ThumbFolder = "thumbs\\";
    EXPECT_EQ(savedBytes(project), reference);

    // A setting that went away again leaves no trace.
    project.ThumbMetadata = MetadataChoice::Profile;
    EXPECT_GT(savedBytes(project).size(), 6502u);
    project.ThumbMetadata = MetadataChoice::All;
    EXPECT_EQ(savedBytes(project), reference);
}

TEST_F(ProjectExtensionTest, SetValuesAreWrittenAfterAnUnchangedSettingsBlockAndReadBack) {
    TProject project;
    project.Files = {"/photos/a.jpg", "/photos/b.jpg"};
    const Bytes plain = savedBytes(project);
    ASSERT_EQ(plain.size(), 2 * 255 + kPlainSize);

    project.ImageMetadata = MetadataChoice::NoLocation;
    project.ThumbMetadata = MetadataChoice::Profile;
    const Bytes extended = savedBytes(project);
    const std::string text = "ImageMetadata=nolocation\nThumbMetadata=profile\n";
    ASSERT_EQ(extended.size(), plain.size() + kExtensionHeaderSize + text.size());
    // A reader of the fixed layout alone stops where the plain file ends and sees the same.
    EXPECT_TRUE(std::equal(plain.begin(), plain.end(), extended.begin()));
    const Bytes tail(extended.begin() + static_cast<long>(plain.size()), extended.end());
    EXPECT_EQ(tail, block(text));

    TProject loaded;
    loaded.Load(path("p.hgp"));
    EXPECT_EQ(loaded.ImageMetadata, MetadataChoice::NoLocation);
    EXPECT_EQ(loaded.ThumbMetadata, MetadataChoice::Profile);
    EXPECT_EQ(loaded.Files, project.Files);

    // Only what differs from the default is written.
    project.ImageMetadata = MetadataChoice::All;
    const Bytes one = savedBytes(project);
    EXPECT_EQ(Bytes(one.begin() + static_cast<long>(plain.size()), one.end()),
              block("ThumbMetadata=profile\n"));
}

TEST_F(ProjectExtensionTest, APlainFileResetsTheExtensionSettings) {
    expectDefaults(loadWithTail({}));
}

TEST_F(ProjectExtensionTest, AForeignTailLoadsWithDefaults) {
    expectDefaults(loadWithTail({'j', 'u', 'n', 'k'}));
    expectDefaults(loadWithTail({'F', 'P', 'X'}));
    expectDefaults(loadWithTail(Bytes(70000, 0xAB)));
}

TEST_F(ProjectExtensionTest, ADamagedBlockLoadsWithDefaults) {
    const std::string good = "ImageMetadata=profile\nFuture=1\n";
    const auto size = static_cast<std::uint32_t>(good.size());
    Bytes trailing = block(good);
    trailing.push_back('x');
    const std::vector<std::pair<const char*, Bytes>> damaged = {
        {"length past the end", block(good, size + 1)},
        {"length short of the end", block(good, size - 1)},
        {"byte after the block", trailing},
        {"huge length", block(good, 0xFFFFFFFFu)},
        {"cut in the length",
         Bytes(std::begin(kExtensionSignature), std::end(kExtensionSignature))},
        {"no final line feed", block("ImageMetadata=profile")},
        {"line without a value", block("ImageMetadata=profile\nFuture\n")},
        {"empty name", block("ImageMetadata=profile\n=1\n")},
        {"empty line", block("ImageMetadata=profile\n\n")},
        {"not UTF-8", block("ImageMetadata=profile\nName=\xC3\x28\n")},
        {"overlong UTF-8", block("ImageMetadata=profile\nName=\xC0\xAF\n")},
        {"NUL byte", block(std::string("ImageMetadata=profile\nN=a\0b\n", 29))},
    };
    for (const auto& [what, tail] : damaged) {
        SCOPED_TRACE(what);
        expectDefaults(loadWithTail(tail));
    }
    // The same block undamaged is taken.
    const TProject intact = loadWithTail(block(good));
    EXPECT_EQ(intact.ImageMetadata, MetadataChoice::Profile);
}

TEST_F(ProjectExtensionTest, UnknownNamesAreKeptAndWrittenBack) {
    const std::string text = "Sharpen=0.5\nImageMetadata=nolocation\nTitle=Für Ève 東京\n"
                             "ThumbMetadata=nosuchchoice\nSharpen=0.7\nWith=equals=sign\n";
    const TProject loaded = loadWithTail(block(text));
    EXPECT_EQ(loaded.ImageMetadata, MetadataChoice::NoLocation);
    EXPECT_EQ(loaded.ThumbMetadata, MetadataChoice::All) << "a value this version lacks";
    EXPECT_EQ(
        loaded.UnknownExtensionLines,
        (std::vector<std::string>{"Sharpen=0.5", "Title=Für Ève 東京", "ThumbMetadata=nosuchchoice",
                                  "Sharpen=0.7", "With=equals=sign"}));

    // Written back, they survive a second round trip unchanged, also with every known
    // setting at its default.
    TProject again = loaded;
    again.ImageMetadata = MetadataChoice::All;
    const Bytes b = savedBytes(again);
    EXPECT_EQ(Bytes(b.begin() + static_cast<long>(kPlainSize), b.end()),
              block("Sharpen=0.5\nTitle=Für Ève 東京\nThumbMetadata=nosuchchoice\nSharpen=0.7\n"
                    "With=equals=sign\n"));
    TProject reread;
    reread.Load(path("p.hgp"));
    EXPECT_EQ(reread.UnknownExtensionLines, loaded.UnknownExtensionLines);
    expectDefaults([&] {
        reread.SetDefaults();
        return reread;
    }());
}

TEST_F(ProjectExtensionTest, AKnownNameWithAnUnknownValueIsKeptUntilTheSettingIsChosen) {
    const TProject loaded =
        loadWithTail(block("ImageMetadata=fromthefuture\nThumbMetadata=profile\n"));
    EXPECT_EQ(loaded.ImageMetadata, MetadataChoice::All);
    EXPECT_EQ(loaded.ThumbMetadata, MetadataChoice::Profile);
    // Saved untouched, the line is there as written.
    Bytes b = savedBytes(loaded);
    EXPECT_EQ(Bytes(b.begin() + static_cast<long>(kPlainSize), b.end()),
              block("ThumbMetadata=profile\nImageMetadata=fromthefuture\n"));
    // Once the setting holds a value of this version, that value is saved instead.
    TProject chosen = loaded;
    chosen.ImageMetadata = MetadataChoice::NoLocation;
    b = savedBytes(chosen);
    EXPECT_EQ(Bytes(b.begin() + static_cast<long>(kPlainSize), b.end()),
              block("ImageMetadata=nolocation\nThumbMetadata=profile\n"));
}

TEST_F(ProjectExtensionTest, AFileCutInsideTheSettingsBlockKeepsTheExtensionSettings) {
    TProject project;
    Bytes b = savedBytes(project);
    b.resize(b.size() - 1); // ShowWhenReady is missing
    writeBytes(path("cut.hgp"), b);
    TProject loaded;
    loaded.ImageMetadata = MetadataChoice::Profile;
    loaded.Load(path("cut.hgp"));
    EXPECT_EQ(loaded.ImageMetadata, MetadataChoice::Profile);
}

} // namespace
} // namespace fotoplex
