// The two metadata settings on real camera photos, checked from outside with exiftool.
#include "cli/CliRunner.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fotoplex {
namespace {

namespace fs = std::filesystem;
using fotoplex::testing::runCli;
using fotoplex::testing::shellQuote;

std::string run(const std::string& command) {
    return fotoplex::testing::runCommand(command).out;
}

// exiftool's "[Group] Tag : value" lines for the given groups, sorted; the lines of tags that
// state where something lies in the file are left out.
std::vector<std::string> tags(const std::string& file, const std::string& groups) {
    std::istringstream in(run("exiftool -a -G1 -s " + groups + " " + shellQuote(file) + " 2>&1"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (line.find("Offset") == std::string::npos && line.find("Start ") == std::string::npos) {
            lines.push_back(line);
        }
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

bool mentions(const std::vector<std::string>& lines, const std::string& word) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.find(word) != std::string::npos; });
}

const char* const kPhotos[] = {"Blinds.jpg", "Wood.jpg", "Dune.jpg", "FreshFlower.jpg"};
const char* const kGps = "-GPSLatitude=48.8584 -GPSLatitudeRef=N -GPSLongitude=2.2945 "
                         "-GPSLongitudeRef=E -GPSAltitude=35";
const char* const kEverything = "-EXIF:all -MakerNotes:all -ICC_Profile:all -XMP:all -Comment";

class MetadataBuild : public ::testing::Test {
protected:
    void SetUp() override {
        camera = fs::path(FOTOPLEX_SHARED_DIR) / "photos" / "camera";
        if (!fs::exists(camera / kPhotos[0]) || run("exiftool -ver").empty()) {
            GTEST_SKIP() << "camera photographs or exiftool absent";
        }
        folder = fs::temp_directory_path() / ("fotoplex-metadata-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder / "src");
        fs::create_directories(folder / "bare");
        const std::string icc = std::string(FOTOPLEX_TEST_DATA) + "/icc/srgb.icc";
        // Each photo gets a position; one also gets a colour profile. The bare copies have no
        // metadata at all, for the size comparison.
        for (const char* photo : kPhotos) {
            const std::string in = shellQuote((camera / photo).string());
            const std::string out = shellQuote((folder / "src" / photo).string());
            const std::string extra =
                std::string(photo) == "Blinds.jpg" ? " \"-ICC_Profile<=" + icc + "\"" : "";
            run("exiftool -q -q " + std::string(kGps) + extra + " -o " + out + " " + in);
            run("exiftool -q -q -all= -o " + shellQuote((folder / "bare" / photo).string()) + " " +
                in);
        }
    }
    void TearDown() override {
        if (!folder.empty()) {
            fs::remove_all(folder);
        }
    }

    // Builds a gallery of the photos in `sources` with both settings at `choice`.
    fs::path build(const std::string& sources, const std::string& choice, bool resize = true) {
        const fs::path target = folder / (sources + "-" + choice + (resize ? "" : "-copies"));
        std::vector<std::string> words = {"project",
                                          "new",
                                          (target.string() + ".hgp"),
                                          "TargetDir=" + target.string(),
                                          "ResizeImages=" + std::string(resize ? "true" : "false"),
                                          "ImageMetadata=" + choice,
                                          "ThumbMetadata=" + choice};
        for (const char* photo : kPhotos) {
            words.push_back("--add");
            words.push_back((folder / sources / photo).string());
        }
        EXPECT_EQ(runCli(words).status, 0);
        const auto r = runCli({"build", target.string() + ".hgp", "--yes", "--quiet", "--no-open"});
        EXPECT_EQ(r.status, 0) << r.out;
        return target;
    }
    static std::string lower(std::string name) {
        std::transform(name.begin(), name.end(), name.begin(), ::tolower);
        return name;
    }

    fs::path camera;
    fs::path folder;
};

TEST_F(MetadataBuild, EachChoiceOnCameraPhotosWithALocation) {
    const fs::path all = build("src", "all");
    const fs::path noLocation = build("src", "nolocation");
    const fs::path profile = build("src", "profile");
    for (const char* photo : kPhotos) {
        for (const std::string sub : {"img/", "thumbs/tn_"}) {
            const std::string name = sub + lower(photo);
            SCOPED_TRACE(name);
            const auto everything = tags((all / name).string(), kEverything);
            ASSERT_TRUE(mentions(everything, "GPSLatitude")) << "the default carries the block";

            // Without the location: no GPS tag, every other tag as in the full block.
            const auto kept = tags((noLocation / name).string(), kEverything);
            EXPECT_FALSE(mentions(kept, "GPS"));
            std::vector<std::string> expected;
            std::copy_if(everything.begin(), everything.end(), std::back_inserter(expected),
                         [](const std::string& l) { return l.find("[GPS]") == std::string::npos; });
            EXPECT_EQ(kept, expected);
            EXPECT_EQ(
                run("exiftool -validate -warning -a -s -s -s " +
                    shellQuote((noLocation / name).string())),
                run("exiftool -validate -warning -a -s -s -s " + shellQuote((all / name).string())))
                << "the rewritten block is as sound as the original";

            // Only the profile: no EXIF, no comment, no XMP; the profile where there was one.
            const auto bare = tags((profile / name).string(), kEverything);
            EXPECT_FALSE(mentions(bare, "[IFD0]") || mentions(bare, "[ExifIFD]") ||
                         mentions(bare, "GPS") || mentions(bare, "[XMP") ||
                         mentions(bare, "Comment"))
                << ::testing::PrintToString(bare);
            EXPECT_EQ(mentions(bare, "sRGB built-in"), std::string(photo) == "Blinds.jpg");
        }
    }
}

TEST_F(MetadataBuild, ProfileThumbnailsWeighLittleMoreThanWithoutAnyMetadata) {
    const fs::path bare = build("bare", "all");
    const fs::path all = build("src", "all");
    const fs::path profile = build("src", "profile");
    for (const char* photo : kPhotos) {
        const std::string name = "thumbs/tn_" + lower(photo);
        SCOPED_TRACE(name);
        const auto without = fs::file_size(bare / name);
        const auto light = fs::file_size(profile / name);
        EXPECT_LE(light * 2, without * 3) << light << " bytes against " << without;
        EXPECT_LT(light, fs::file_size(all / name));
    }
}

std::string bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The compressed picture: everything from the start-of-scan marker on, found by walking the
// marker segments (an EXIF thumbnail holds a scan marker of its own).
std::string scanOf(const fs::path& file) {
    const std::string b = bytesOf(file);
    std::size_t pos = 2;
    while (pos + 4 <= b.size() && b[pos] == '\xFF' && b[pos + 1] != '\xDA') {
        pos += 2 + ((std::size_t{static_cast<unsigned char>(b[pos + 2])} << 8) |
                    static_cast<unsigned char>(b[pos + 3]));
    }
    return pos + 4 <= b.size() ? b.substr(pos) : std::string();
}

TEST_F(MetadataBuild, CopiesKeepTheirPictureAndLoseWhatTheChoiceDrops) {
    const fs::path all = build("src", "all", false);
    const fs::path noLocation = build("src", "nolocation", false);
    const fs::path profile = build("src", "profile", false);
    for (const char* photo : kPhotos) {
        const fs::path source = folder / "src" / photo;
        const std::string name = "img/" + lower(photo);
        SCOPED_TRACE(name);
        // Compared as flags: a failure would print megabytes.
        EXPECT_TRUE(bytesOf(all / name) == bytesOf(source)) << "the default copies byte for byte";
        ASSERT_FALSE(scanOf(source).empty());
        EXPECT_TRUE(scanOf(noLocation / name) == scanOf(source));
        EXPECT_TRUE(scanOf(profile / name) == scanOf(source));

        const auto everything = tags(source.string(), kEverything);
        std::vector<std::string> expected;
        std::copy_if(everything.begin(), everything.end(), std::back_inserter(expected),
                     [](const std::string& l) { return l.find("[GPS]") == std::string::npos; });
        EXPECT_EQ(tags((noLocation / name).string(), kEverything), expected);

        const auto bare = tags((profile / name).string(), kEverything);
        EXPECT_FALSE(mentions(bare, "[IFD0]") || mentions(bare, "GPS") || mentions(bare, "[XMP") ||
                     mentions(bare, "Comment"))
            << ::testing::PrintToString(bare);
        EXPECT_EQ(mentions(bare, "sRGB built-in"), std::string(photo) == "Blinds.jpg");
    }
}

} // namespace
} // namespace fotoplex
