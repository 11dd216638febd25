#include "cli/CliRunner.h"
#include "gallery/Stylesheet.h"
#include "project/TProject.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fotoplex {
namespace {

namespace fs = std::filesystem;
using fotoplex::testing::runCli;
using fotoplex::testing::shellQuote;

const fs::path kSamples = fs::path(FOTOPLEX_SOURCE_DIR) / "resources" / "samples";

std::string bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Output of a shell command line (ImageMagick and friends).
std::string shell(const std::string& command) {
    return fotoplex::testing::runCommand(command + " 2>/dev/null").out;
}

bool haveImageMagick() {
    return std::system(
               "command -v convert >/dev/null 2>&1 && command -v identify >/dev/null 2>&1") == 0;
}

class BuildCli : public ::testing::Test {
protected:
    void SetUp() override {
        if (!haveImageMagick()) {
            GTEST_SKIP() << "ImageMagick is not installed";
        }
        root = fs::temp_directory_path() /
               ("fotoplex-build-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "src");
        target = root / "gallery";
        projectFile = (root / "g.hgp").string();
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(root, ec);
    }

    // A source picture made by ImageMagick from a bundled sample, in the format of its name.
    std::string makeSource(const std::string& name, const std::string& sample = "rocket.jpg",
                           const std::string& size = "") {
        const fs::path to = root / "src" / name;
        const std::string resize = size.empty() ? "" : " -resize " + size + "!";
        shell("convert " + shellQuote((kSamples / sample).string()) + resize + " " +
              shellQuote(to.string()));
        return to.string();
    }
    void newProject(const std::vector<std::string>& settings,
                    const std::vector<std::string>& sources) {
        std::vector<std::string> words = {"project",           "new",
                                          projectFile,         "TargetDir=" + target.string(),
                                          "ImgResizeMethod=1", "ThumbResizeMethod=1"};
        words.insert(words.end(), settings.begin(), settings.end());
        for (const std::string& s : sources) {
            words.push_back("--add");
            words.push_back(s);
        }
        const auto r = runCli(words);
        ASSERT_EQ(r.status, 0) << r.out;
    }
    std::string identify(const fs::path& file, const std::string& format) {
        return shell("identify -format " + shellQuote(format) + " " + shellQuote(file.string()));
    }

    fs::path root;
    fs::path target;
    std::string projectFile;
};

TEST_F(BuildCli, BuildsTheWholeTreeFromSourcesOfSeveralFormats) {
    const std::vector<std::string> sources = {
        makeSource("a.jpg"), makeSource("b.png", "coffee.png"), makeSource("c.gif", "chelsea.png"),
        makeSource("d.bmp", "astronaut.png", "200x100"),
        makeSource("e.tif", "coffee.png", "300x300")};
    newProject({"ResizeImages=true", "JPEGQuality=60", "ProgressiveImg=true", "ThumbQuality=90"},
               sources);
    const std::string projectBefore = bytesOf(projectFile);

    const auto r = runCli({"build", projectFile, "--yes", "--no-open"});
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(bytesOf(projectFile), projectBefore) << "the project file is never written";

    for (const char* name : {"a.jpg", "b.png", "c.gif", "d.bmp", "e.tif"}) {
        EXPECT_EQ(identify(target / "img" / name, "%m"), "JPEG") << name;
        EXPECT_EQ(identify(target / "img" / name, "%Q"), "60") << name;
        EXPECT_EQ(identify(target / "img" / name, "%[interlace]"), "JPEG")
            << "progressive " << name;
    }
    EXPECT_EQ(identify(target / "img" / "a.jpg", "%wx%h"), "640x427");
    EXPECT_EQ(identify(target / "img" / "d.bmp", "%wx%h"), "640x320");
    EXPECT_EQ(identify(target / "img" / "e.tif", "%wx%h"), "640x640");
    EXPECT_EQ(identify(target / "thumbs" / "tn_a.jpg", "%wx%h"), "120x80");
    EXPECT_EQ(identify(target / "thumbs" / "tn_a.jpg", "%Q"), "90");
    EXPECT_EQ(identify(target / "thumbs" / "tn_a.jpg", "%[interlace]"), "None");
    for (const char* page : {"index.html", "a_jpg.html", "b_png.html", "c_gif.html", "d_bmp.html",
                             "e_tif.html", "main.css"}) {
        EXPECT_TRUE(fs::exists(target / page)) << page;
    }

    // The stylesheet holds exactly the lines the gallery writer makes, each ended by CR LF.
    TProject project;
    project.Load(projectFile);
    std::string expected;
    for (const std::string& line : GetCSS(project)) {
        expected += line + "\r\n";
    }
    EXPECT_EQ(bytesOf(target / "main.css"), expected);
    const std::string index = bytesOf(target / "index.html");
    EXPECT_NE(index.find("thumbs/tn_a.jpg"), std::string::npos);
    EXPECT_NE(index.find("width=\"120\" height=\"80\""), std::string::npos)
        << index.substr(0, 2000);
    const std::string page = bytesOf(target / "a_jpg.html");
    EXPECT_NE(page.find("img/a.jpg"), std::string::npos);
    EXPECT_NE(page.find("640"), std::string::npos);
}

// A folder as a phone and the web fill it: every picture comes out upright, a Display P3
// photo keeps its profile and a phone photo its EXIF.
TEST_F(BuildCli, APhoneFolderComesOutUprightWithItsProfileAndExif) {
    const fs::path formats = fs::path(FOTOPLEX_SOURCE_DIR) / "tests" / "data" / "formats";
    const std::vector<std::pair<std::string, std::string>> copies = {
        {"p3.heic", "a-p3.heic"},     {"rgb-irot1.heic", "b-portrait.heic"},
        {"exif.heic", "c-exif.heic"}, {"rgba.avif", "d.avif"},
        {"meta.webp", "e.webp"},      {"lossy.jp2", "f.jp2"},
        {"tga-rgb.tga", "g.tga"},     {"icon-png.ico", "h.ico"}};
    std::vector<std::string> sources = {makeSource("i.jpg")};
    for (const auto& [from, to] : copies) {
        fs::copy_file(formats / from, root / "src" / to);
        sources.push_back((root / "src" / to).string());
    }
    newProject({"ResizeImages=true", "ImgWidth=240", "ImgHeight=240"}, sources);
    const auto r = runCli({"build", projectFile, "--yes", "--no-open", "--quiet"});
    ASSERT_EQ(r.status, 0) << r.out;

    const std::map<std::string, std::string> sizes = {
        {"a-p3.heic", "240x180"}, {"b-portrait.heic", "240x320"}, {"c-exif.heic", "240x180"},
        {"d.avif", "240x180"},    {"e.webp", "240x180"},          {"f.jp2", "240x180"},
        {"g.tga", "240x180"},     {"h.ico", "240x240"},           {"i.jpg", "240x160"}};
    for (const auto& [name, size] : sizes) {
        EXPECT_EQ(identify(target / "img" / name, "%m %wx%h"), "JPEG " + size) << name;
        const fs::path thumb =
            target / "thumbs" / ("tn_" + fs::path(name).stem().string() + ".jpg");
        EXPECT_EQ(identify(thumb, "%m"), "JPEG") << name;
    }
    // The profile's bytes as ImageMagick takes them out of the JPEG.
    const fs::path profile = root / "out.icc";
    shell("convert " + shellQuote((target / "img" / "a-p3.heic").string()) + " " +
          shellQuote(profile.string()));
    EXPECT_EQ(bytesOf(profile), bytesOf(formats / "p3.icc"));
    const std::string exif = bytesOf(target / "img" / "c-exif.heic");
    EXPECT_NE(exif.find("PhoneCam"), std::string::npos) << "the phone's EXIF block is carried";
}

TEST_F(BuildCli, ResizingOffGivesByteCopies) {
    const std::string a = makeSource("a.png", "coffee.png");
    newProject({}, {a});
    ASSERT_EQ(runCli({"build", projectFile, "--yes", "--quiet"}).status, 0);
    EXPECT_EQ(bytesOf(target / "img" / "a.png"), bytesOf(a));
    EXPECT_EQ(identify(target / "thumbs" / "tn_a.jpg", "%m"), "JPEG");
}

TEST_F(BuildCli, TargetFolderCases) {
    newProject({}, {makeSource("a.jpg")});
    auto r = runCli({"build", projectFile});
    EXPECT_EQ(r.status, 3) << r.out;
    EXPECT_FALSE(fs::exists(target)) << "no terminal and no --yes: the folder is not created";
    EXPECT_NE(r.out.find("Target directory does not exist"), std::string::npos) << r.out;

    const fs::path other = root / "elsewhere";
    r = runCli({"build", projectFile, "--target", other.string(), "--yes", "--quiet"});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(fs::exists(other / "index.html"));
    EXPECT_TRUE(r.out.empty()) << "--quiet: " << r.out;
    EXPECT_FALSE(fs::exists(target));

    r = runCli({"build", projectFile, "--target", "   ", "--yes"});
    EXPECT_EQ(r.status, 3) << r.out;
    EXPECT_NE(r.out.find("Please choose target directory first."), std::string::npos) << r.out;

    r = runCli(
        {"build", projectFile, "--target", (root / "no" / "such" / "levels").string(), "--yes"});
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_NE(r.out.find("Cannot create "), std::string::npos) << r.out;
}

TEST_F(BuildCli, ExistingFilesModes) {
    newProject({"ResizeImages=true"}, {makeSource("a.jpg"), makeSource("b.jpg")});
    ASSERT_EQ(runCli({"build", projectFile, "--yes", "--quiet"}).status, 0);
    const auto before = fs::last_write_time(target / "img" / "a.jpg");
    fs::permissions(target / "img" / "b.jpg", fs::perms::owner_read);

    ASSERT_EQ(runCli({"build", projectFile, "--existing", "skip", "--quiet"}).status, 0);
    EXPECT_EQ(fs::last_write_time(target / "img" / "a.jpg"), before);

    auto r = runCli({"build", projectFile, "--existing", "ask"});
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(fs::last_write_time(target / "img" / "a.jpg"), before) << "no terminal: kept";
    EXPECT_NE(r.out.find("existing files are kept"), std::string::npos) << r.out;

    r = runCli({"build", projectFile, "--existing", "overwrite", "--quiet"});
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(fs::last_write_time(target / "img" / "a.jpg"), before) << "up to date: kept";
    for (const char* name : {"a.jpg", "b.jpg"}) { // changed sources are made again
        fs::last_write_time(root / "src" / name,
                            fs::last_write_time(root / "src" / name) + std::chrono::seconds(2));
    }
    r = runCli({"build", projectFile, "--existing", "overwrite", "--quiet"});
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(fs::last_write_time(target / "img" / "a.jpg"), before);
    EXPECT_EQ(identify(target / "img" / "b.jpg", "%wx%h"), "640x427")
        << "read-only output replaced";

    EXPECT_EQ(runCli({"build", projectFile, "--existing", "sometimes"}).status, 2);
}

TEST_F(BuildCli, ReadOnlyStylesheetEndsTheRunBeforeThePages) {
    newProject({}, {makeSource("a.jpg")});
    fs::create_directories(target);
    std::ofstream(target / "main.css") << "mine";
    fs::permissions(target / "main.css", fs::perms::owner_read);
    const auto r = runCli({"build", projectFile, "--quiet"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Cannot create file " + (target / "main.css").string()), std::string::npos)
        << r.out;
    EXPECT_TRUE(fs::exists(target / "thumbs" / "tn_a.jpg"));
    EXPECT_FALSE(fs::exists(target / "index.html"));
    EXPECT_EQ(bytesOf(target / "main.css"), "mine");
}

TEST_F(BuildCli, MissingSourcesArePrunedForTheRunOnly) {
    const std::string a = makeSource("a.jpg");
    const std::string gone = makeSource("gone.jpg");
    newProject({}, {gone, a});
    fs::remove(gone);
    const std::string before = bytesOf(projectFile);
    ASSERT_EQ(runCli({"build", projectFile, "--yes", "--quiet"}).status, 0);
    EXPECT_TRUE(fs::exists(target / "a_jpg.html"));
    EXPECT_FALSE(fs::exists(target / "gone_jpg.html"));
    EXPECT_EQ(bytesOf(projectFile), before);
}

TEST_F(BuildCli, JobsChangeNothingButSpeedAndARebuildReportsWhatWasUpToDate) {
    const std::vector<std::string> sources = {
        makeSource("a.jpg"), makeSource("b.png", "coffee.png"), makeSource("c.jpg", "chelsea.png")};
    newProject({"ResizeImages=true"}, sources);
    auto r = runCli({"build", projectFile, "--yes", "--no-open", "--jobs", "1"});
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("Pictures: 6 made, 0 up to date."), std::string::npos) << r.out;
    std::map<std::string, std::string> one;
    for (const char* name : {"img/a.jpg", "img/b.png", "img/c.jpg", "thumbs/tn_a.jpg",
                             "thumbs/tn_b.jpg", "thumbs/tn_c.jpg", "index.html", "a_jpg.html"}) {
        one[name] = bytesOf(target / name);
    }
    r = runCli({"build", projectFile, "--yes", "--no-open"});
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("Pictures: 0 made, 6 up to date."), std::string::npos) << r.out;

    fs::remove_all(target);
    r = runCli({"build", projectFile, "--yes", "--no-open", "-j", "3"});
    ASSERT_EQ(r.status, 0) << r.out;
    for (const auto& [name, bytes] : one) {
        EXPECT_EQ(bytesOf(target / name), bytes) << name << " with three workers";
    }
    for (const char* bad : {"0", "x", "2x", "257"}) {
        EXPECT_EQ(runCli({"build", projectFile, "--jobs", bad}).status, 2) << bad;
    }
}

TEST_F(BuildCli, PicturesThatCannotBeMadeAreListedAndExitWith4) {
    const std::string good = makeSource("good.jpg");
    const fs::path junk = root / "src" / "junk.jpg";
    std::ofstream(junk) << "this is a text file\n";
    const std::string whole = bytesOf(good);
    const fs::path cut = root / "src" / "cut.jpg";
    std::ofstream(cut, std::ios::binary) << whole.substr(0, whole.size() / 3);
    newProject({"ResizeImages=true", "ConvertLow=0"}, {junk.string(), good, cut.string()});

    const auto r = runCli({"build", projectFile, "--yes", "--quiet", "--jobs", "3"});
    EXPECT_EQ(r.status, 4) << r.out;
    EXPECT_NE(r.out.find("1 picture could not be made:\n" + junk.string() +
                         ": not a readable JPEG header\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("1 picture was read only in part (damaged data, written as far as "
                         "read): cut.jpg"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(r.out.find("Gallery ready"), std::string::npos);
    EXPECT_FALSE(fs::exists(target / "img" / "junk.jpg"));
    EXPECT_FALSE(fs::exists(target / "thumbs" / "tn_junk.jpg"));
    EXPECT_EQ(identify(target / "img" / "good.jpg", "%m"), "JPEG");
    EXPECT_EQ(identify(target / "thumbs" / "tn_cut.jpg", "%m"), "JPEG");
    EXPECT_TRUE(fs::exists(target / "good_jpg.html")) << "the pages are built all the same";
    for (const auto& entry : fs::recursive_directory_iterator(target)) {
        EXPECT_FALSE(entry.is_regular_file() && entry.file_size() == 0) << entry.path();
    }

    newProject({"ResizeImages=true"}, {good});
    const auto fine = runCli({"build", projectFile, "--yes"});
    EXPECT_EQ(fine.status, 0) << fine.out;
    EXPECT_EQ(fine.out.find("could not be made"), std::string::npos);
    EXPECT_NE(fine.out.find("Gallery ready"), std::string::npos);
}

TEST_F(BuildCli, EmptyProjectAndUsageErrors) {
    newProject({}, {});
    const auto r = runCli({"build", projectFile, "--yes"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Please select files first."), std::string::npos);
    EXPECT_EQ(runCli({"build"}).status, 2);
    EXPECT_EQ(runCli({"build", projectFile, "--bogus"}).status, 2);
    EXPECT_EQ(runCli({"build", (root / "none.hgp").string()}).status, 1);
    const auto help = runCli({"build", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("4 built, but some pictures could not be made"), std::string::npos);
}

TEST_F(BuildCli, InterruptAsksAtTheNextFileAndCancels) {
    std::vector<std::string> sources;
    for (const char* name : {"1.jpg", "2.jpg", "3.jpg", "4.jpg", "5.jpg"}) {
        sources.push_back(makeSource(name, "hubble_deep_field.jpg"));
    }
    newProject({"ResizeImages=true", "ImgResizeMethod=5"}, sources);
    fs::create_directories(target);

    int out[2];
    ASSERT_EQ(::pipe(out), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(out[1], STDERR_FILENO);
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        std::freopen("/dev/null", "r", stdin);
        ::execl(FOTOPLEX_CLI, FOTOPLEX_CLI, "build", projectFile.c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(out[1]);
    std::string seen;
    char buffer[512];
    bool sent = false;
    ssize_t n = 0;
    while ((n = ::read(out[0], buffer, sizeof buffer)) > 0) {
        seen.append(buffer, static_cast<std::size_t>(n));
        if (!sent && seen.find("File: 2.jpg") != std::string::npos) {
            ::kill(child, SIGINT);
            sent = true;
        }
    }
    ::close(out[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << seen;
    EXPECT_EQ(WEXITSTATUS(status), 3) << seen;
    EXPECT_TRUE(fs::exists(target / "img" / "1.jpg"));
    EXPECT_FALSE(fs::exists(target / "img" / "5.jpg")) << seen;
    EXPECT_FALSE(fs::exists(target / "main.css"));
    EXPECT_NE(seen.find("Do you want to cancel the job?"), std::string::npos) << seen;
}

// Every href, src and stylesheet url(...) of the gallery, percent-decoded, except the links
// that leave it (the credit line).
std::vector<std::string> referencesIn(const fs::path& target) {
    const auto decoded = [](const std::string& url) {
        std::string out;
        for (std::size_t i = 0; i < url.size(); ++i) {
            if (url[i] == '%' && i + 2 < url.size()) {
                out += static_cast<char>(std::stoi(url.substr(i + 1, 2), nullptr, 16));
                i += 2;
            } else {
                out += url[i];
            }
        }
        return out;
    };
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(target)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        const std::string text = bytesOf(entry.path());
        const std::string ext = entry.path().extension().string();
        const std::vector<std::pair<std::string, std::string>> forms =
            ext == ".css"    ? std::vector<std::pair<std::string, std::string>>{{"url(", ")"}}
            : ext == ".html" ? std::vector<std::pair<std::string, std::string>>{{"href=\"", "\""},
                                                                                {"src=\"", "\""}}
                             : std::vector<std::pair<std::string, std::string>>{};
        for (const auto& [open, close] : forms) {
            for (std::size_t at = text.find(open); at != std::string::npos;
                 at = text.find(open, at + 1)) {
                const std::size_t start = at + open.size();
                const std::string url = text.substr(start, text.find(close, start) - start);
                if (url.rfind("http", 0) != 0) {
                    found.push_back(decoded(url));
                }
            }
        }
    }
    return found;
}

TEST_F(BuildCli, EveryLinkOfAGalleryWithAwkwardNamesReachesItsFile) {
    const fs::path portrait = root / "src" / "portrait.jpg"; // stored lying, Orientation 6
    fs::copy_file(fs::path(FOTOPLEX_SOURCE_DIR) / "tests/data/orientation/jpeg-6.jpg", portrait);
    const std::vector<std::string> sources = {makeSource("M\xC3\xBCller 100%.jpg"),
                                              makeSource("land scape#1.jpg", "coffee.png"),
                                              makeSource("why?.png", "chelsea.png"),
                                              makeSource("it's (2).gif", "astronaut.png"),
                                              makeSource("plain.jpg"),
                                              portrait.string()};
    const std::string background = makeSource("Back (1) 50%.png", "coffee.png", "40x40");
    newProject({"ConvertLow=false", "ResizeImages=true", "TableCols=2", "TableRows=2",
                "JumpMenu=true", "DocTitle=Ferien in K\xC3\xB6ln \xE2\x80\x93 Sommer",
                "BackgroundImagePath=" + background},
               sources);
    const auto r = runCli({"build", projectFile, "--yes", "--no-open"});
    ASSERT_EQ(r.status, 0) << r.out;

    const std::vector<std::string> references = referencesIn(target);
    EXPECT_GE(references.size(), 6u * 5) << "thumbnail links and pictures, page links";
    for (const std::string& reference : references) {
        EXPECT_TRUE(fs::exists(target / reference)) << reference;
    }
    const std::string index = bytesOf(target / "index.html");
    // The default Western charset holds the o-umlaut but not the dash.
    EXPECT_NE(index.find("charset=iso-8859-1"), std::string::npos);
    EXPECT_NE(index.find("<title>Ferien in K\xF6ln &#8211; Sommer</title>"), std::string::npos);
    EXPECT_NE(bytesOf(target / "page2.html").find(R"(src="thumbs/tn_plain.jpg")"),
              std::string::npos);

    // The portrait stands upright, and its page carries the upright size.
    EXPECT_EQ(identify(target / "img" / "portrait.jpg", "%wx%h"), "640x960");
    EXPECT_EQ(identify(target / "img" / "portrait.jpg", "%[EXIF:Orientation]"), "1");
    EXPECT_NE(bytesOf(target / "portrait_jpg.html").find(R"(width="640" height="960")"),
              std::string::npos);
    EXPECT_EQ(identify(target / "thumbs" / "tn_portrait.jpg", "%wx%h"), "120x180");
}

TEST_F(BuildCli, AByteCopyOfATurnedPictureKeepsItsTagAndThePageTheUprightSize) {
    const fs::path portrait = root / "src" / "portrait.jpg";
    fs::copy_file(fs::path(FOTOPLEX_SOURCE_DIR) / "tests/data/orientation/jpeg-6.jpg", portrait);
    newProject({}, {portrait.string()});
    ASSERT_EQ(runCli({"build", projectFile, "--yes", "--quiet"}).status, 0);
    EXPECT_EQ(bytesOf(target / "img" / "portrait.jpg"), bytesOf(portrait));
    EXPECT_NE(bytesOf(target / "portrait_jpg.html").find(R"(width="30" height="45")"),
              std::string::npos);
}

TEST(DemoCli, BuildsTheSampleGallery) {
    const fs::path dir =
        fs::temp_directory_path() / ("fotoplex-demo-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    const auto r = runCli({"demo", dir.string()});
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, (dir / "index.html").string() + "\n");
    EXPECT_TRUE(fs::exists(dir / "index.html"));
    EXPECT_TRUE(fs::exists(dir / "thumbs" / "tn_rocket.jpg"));
    EXPECT_TRUE(fs::exists(dir / "img" / "coffee.png"));
    fs::remove_all(dir);
}

} // namespace
} // namespace fotoplex
