// Whole builds through fotoplex-cli: same-named photos each shown under a name of their own,
// and a rebuild that fails part way leaving the previous gallery as it was.
#include "cli/CliRunner.h"
#include "engine/RasterImage.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <string>
#include <unistd.h>
#include <vector>

namespace fotoplex {
namespace {

namespace fs = std::filesystem;
using fotoplex::testing::runCli;
using fotoplex::testing::runCommand;
using fotoplex::testing::shellQuote;

const fs::path kSamples = fs::path(FOTOPLEX_SOURCE_DIR) / "resources" / "samples";

std::string bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every file below folder with its bytes, by path relative to it.
std::map<std::string, std::string> treeBytes(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files[fs::relative(entry.path(), folder).string()] = bytesOf(entry.path());
        }
    }
    return files;
}

std::string percentDecoded(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::vector<std::vector<std::string>> matches(const std::string& text, const std::string& pattern) {
    std::vector<std::vector<std::string>> found;
    const std::regex re(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator();
         ++it) {
        std::vector<std::string> groups;
        for (std::size_t g = 1; g < it->size(); ++g) {
            groups.push_back((*it)[g].str());
        }
        found.push_back(groups);
    }
    return found;
}

// The mean difference per sample between a produced picture and its source made as small.
double differenceFromSource(const fs::path& produced, const std::string& source) {
    // Produced pictures hold JPEG data whatever their names say.
    const fs::path asJpeg = produced.parent_path() / ".compare.jpg";
    fs::copy_file(produced, asJpeg, fs::copy_options::overwrite_existing);
    RasterImage made;
    made.ReadPictureFile(asJpeg.string());
    fs::remove(asJpeg);
    RasterImage original;
    original.AutoUndo = false;
    original.ReadPictureFile(source);
    original.Resample(made.picture().width, made.picture().height, rfTriangle);
    const auto& a = made.picture();
    const auto& b = original.picture();
    if (a.width != b.width || a.height != b.height || a.format != b.format || a.empty()) {
        return 1e9;
    }
    double sum = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) {
        sum += std::abs(int{a.pixels[i]} - int{b.pixels[i]});
    }
    return sum / static_cast<double>(a.pixels.size());
}

class WholeBuildCli : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("fotoplex-names-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root);
        target = root / "gallery";
        projectFile = (root / "g.hgp").string();
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(root, ec);
    }

    std::string copySample(const std::string& sample, const std::string& to) {
        const fs::path path = root / to;
        fs::create_directories(path.parent_path());
        fs::copy_file(kSamples / sample, path);
        return path.string();
    }
    // A JPEG made by the engine from a PNG sample, so that it differs from the JPEG samples.
    std::string jpegOf(const std::string& sample, const std::string& to) {
        const fs::path path = root / to;
        fs::create_directories(path.parent_path());
        RasterImage picture;
        picture.ReadPictureFile((kSamples / sample).string());
        picture.WriteJpegFile(path.string());
        return path.string();
    }
    void newProject(const std::vector<std::string>& sources,
                    const std::vector<std::string>& settings = {}) {
        std::vector<std::string> words = {"project",           "new",
                                          projectFile,         "TargetDir=" + target.string(),
                                          "ConvertLow=false",  "ResizeImages=true",
                                          "ImgWidth=320",      "ImgHeight=240",
                                          "ImgResizeMethod=1", "ThumbResizeMethod=1"};
        words.insert(words.end(), settings.begin(), settings.end());
        for (const std::string& s : sources) {
            words.push_back("--add");
            words.push_back(s);
        }
        const auto r = runCli(words);
        ASSERT_EQ(r.status, 0) << r.out;
    }
    std::string page(const std::string& name) const { return bytesOf(target / name); }

    fs::path root;
    fs::path target;
    std::string projectFile;
};

TEST_F(WholeBuildCli, SameNamedPhotosEachKeepAThumbnailImageAndPageOfTheirOwn) {
    const std::vector<std::string> sources = {
        copySample("rocket.jpg", "phone/IMG_0001.jpg"),
        copySample("hubble_deep_field.jpg", "camera/IMG_0001.jpg"),
        jpegOf("coffee.png", "roll/IMG_7.jpg"),
        copySample("chelsea.png", "roll/IMG_7.png"),
        copySample("astronaut.png", "roll/moon.png"),
    };
    std::vector<std::string> listed = sources;
    listed.push_back(sources[0]); // the same file twice is one source
    newProject(listed, {"TableCols=4", "TableRows=1"});

    const auto r = runCli({"build", projectFile, "--yes", "--no-open"});
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("Gallery ready"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("2 pictures got a distinct name"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(sources[1] + ": named IMG_0001-2.jpg, because " + sources[0] +
                         " already has img/IMG_0001.jpg"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find(sources[3] + ": named IMG_7-2.png, because " + sources[2] +
                         " already has thumbs/tn_IMG_7.jpg"),
              std::string::npos)
        << r.out;

    // Every reference of every page leads to a file of the gallery.
    std::vector<std::string> pages;
    for (const auto& entry : fs::directory_iterator(target)) {
        if (entry.path().extension() == ".html") {
            pages.push_back(entry.path().filename().string());
        }
    }
    EXPECT_EQ(pages.size(), 2u + 5u) << "two index pages, one page per source";
    for (const std::string& name : pages) {
        for (const auto& link : matches(page(name), R"((?:href|src|value)="([^"]*)\")")) {
            if (link[0].rfind("http", 0) == 0) {
                continue;
            }
            EXPECT_TRUE(fs::is_regular_file(target / percentDecoded(link[0])))
                << name << " links " << link[0];
        }
    }

    // Each cell, in list order: its thumbnail and the picture of the page it leads to show
    // its own source, not the other one of its pair.
    std::vector<std::vector<std::string>> cells;
    for (const char* index : {"index.html", "page2.html"}) {
        for (auto& cell :
             matches(page(index), R"re(<a href="([^"]+)" target="[^"]*"><img src="([^"]+)")re")) {
            cells.push_back(cell);
        }
    }
    ASSERT_EQ(cells.size(), listed.size());
    EXPECT_EQ(cells[5], cells[0]) << "the repeated file shares its outputs";
    for (std::size_t k = 0; k < sources.size(); ++k) {
        const fs::path thumb = target / percentDecoded(cells[k][1]);
        const auto image =
            matches(page(percentDecoded(cells[k][0])), R"re(<img src="([^"]+)" width)re");
        ASSERT_EQ(image.size(), 1u) << cells[k][0];
        const fs::path picture = target / percentDecoded(image[0][0]);
        const double own = differenceFromSource(thumb, sources[k]);
        EXPECT_LT(own, 12.0) << thumb;
        EXPECT_LT(differenceFromSource(picture, sources[k]), 12.0) << picture;
        const std::size_t partner = k ^ 1; // 0-1 and 2-3 are the pairs
        if (partner < 4) {
            EXPECT_GT(differenceFromSource(thumb, sources[partner]), own + 10.0) << thumb;
        }
    }
    EXPECT_TRUE(fs::exists(target / "img" / "IMG_0001-2.jpg"));
    EXPECT_TRUE(fs::exists(target / "thumbs" / "tn_IMG_7-2.jpg"));
    EXPECT_TRUE(fs::exists(target / "IMG_7-2_png.html"));

    // Built again, nothing changes and nothing more is said about failures.
    const auto before = treeBytes(target);
    const auto again = runCli({"build", projectFile, "--no-open"});
    EXPECT_EQ(again.status, 0) << again.out;
    const auto after = treeBytes(target);
    EXPECT_EQ(after.size(), before.size());
    for (const auto& [name, bytes] : before) {
        if (name != ".fotoplex-build") {
            EXPECT_TRUE(after.count(name) && after.at(name) == bytes) << name;
        }
    }
}

// A build whose files cannot grow past 1 KB (as on a disk that is full): the pages and
// pictures it had to make again fail with the system's reason, and every earlier file stays.
TEST_F(WholeBuildCli, AFailedRebuildLeavesThePreviousGalleryAsItWas) {
    const std::vector<std::string> sources = {copySample("rocket.jpg", "a.jpg"),
                                              copySample("chelsea.png", "b.png"),
                                              copySample("coffee.png", "c.png")};
    newProject(sources, {"DocTitle=Before"});
    ASSERT_EQ(runCli({"build", projectFile, "--yes", "--no-open", "--quiet"}).status, 0);
    auto before = treeBytes(target);
    before.erase(".fotoplex-build");
    ASSERT_EQ(before.size(), 3u * 3u + 2u);

    const auto limited = [&] {
        return runCommand("trap '' XFSZ; ulimit -f 1; exec " + shellQuote(FOTOPLEX_CLI) +
                          " build " + shellQuote(projectFile) + " --no-open 2>&1");
    };
    const auto unchanged = [&](const std::string& when, const std::string& rewritten = "") {
        auto after = treeBytes(target);
        after.erase(".fotoplex-build");
        EXPECT_EQ(after.size(), before.size()) << when << ": no temporary file stays behind";
        for (const auto& [name, bytes] : before) {
            EXPECT_TRUE(after.count(name) && (after.at(name) == bytes || name == rewritten))
                << when << ": " << name;
        }
    };

    // Every page and picture is to be made again.
    ASSERT_EQ(runCli({"project", "set", projectFile, "DocTitle=After", "JPEGQuality=40",
                      "ThumbQuality=40"})
                  .status,
              0);
    const auto r = limited();
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_NE(
        r.out.find("Cannot create file " + (target / "index.html").string() + ": File too large"),
        std::string::npos)
        << r.out;
    EXPECT_NE(
        r.out.find("Cannot write file " + (target / "img" / "a.jpg").string() + ": File too large"),
        std::string::npos)
        << r.out;
    unchanged("pages and pictures");

    // A stylesheet that names a background now, longer than the limit: the old one stays.
    ASSERT_EQ(runCli({"project", "set", projectFile,
                      "BackgroundImagePath=" + copySample("astronaut.png", "back.png")})
                  .status,
              0);
    const auto css = limited();
    EXPECT_EQ(css.status, 1) << css.out;
    EXPECT_NE(
        css.out.find("Cannot create file " + (target / "main.css").string() + ": File too large"),
        std::string::npos)
        << css.out;
    EXPECT_FALSE(fs::exists(target / "back.png")) << "the pages' step never began";
    unchanged("stylesheet");
}

} // namespace
} // namespace fotoplex
