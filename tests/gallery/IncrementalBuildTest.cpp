// Build Gallery under "Overwrite" makes again only what changed, and leaves unchanged pages
// untouched; the result is the same as making everything again.
#include "engine/RasterImage.h"
#include "gallery/BuildGallery.h"
#include "production/BuildRecord.h"
#include "production/JobFakes.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <thread>

namespace fotoplex {
namespace {

namespace fs = std::filesystem;
using jobtest::FakeJobWindow;
using jobtest::fileBytes;
using jobtest::ScratchFolder;
using jobtest::ScriptedDialogs;
using jobtest::Unscripted;

const fs::path kSamples = fs::path(FOTOPLEX_SOURCE_DIR) / "resources" / "samples";

class IncrementalBuildTest : public ::testing::Test {
protected:
    IncrementalBuildTest()
        : scratch(::testing::UnitTest::GetInstance()->current_test_info()->name()), window(queue) {
        fs::create_directories(scratch.path() / "gallery");
        project.TargetDir = (scratch.path() / "gallery").string() + "/";
        project.ResizeImages = true;
        project.ImgWidth = 120;
        project.ImgHeight = 90;
        project.ThumbWidth = 40;
        project.ThumbHeight = 40;
        project.ImgResizeMethod = 1;
        project.ThumbResizeMethod = 1;
        for (const char* name : {"rocket.jpg", "coffee.png", "chelsea.png"}) {
            fs::copy_file(kSamples / name, scratch.path() / name);
            project.Files.push_back((scratch.path() / name).string());
        }
    }

    // Builds, and returns the gallery's files that the build wrote (by modification time).
    std::set<std::string> build() {
        const auto before = times();
        // File times tick coarsely: a rewrite must be seen as one.
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        JobContext job{project,
                       state,
                       window,
                       dialogs,
                       queue,
                       sizeReader,
                       [] { return true; },
                       [this] { project.Modified = true; },
                       2};
        BuildAllBtnClick(job);
        std::set<std::string> written;
        for (const auto& [name, time] : times()) {
            const auto old = before.find(name);
            if (old == before.end() || old->second != time) {
                written.insert(name);
            }
        }
        return written;
    }

    std::map<std::string, fs::file_time_type> times() const {
        std::map<std::string, fs::file_time_type> result;
        const fs::path root = out("");
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            if (entry.is_regular_file() && entry.path().filename() != BuildRecord::kFileName) {
                result[fs::relative(entry.path(), root).string()] = entry.last_write_time();
            }
        }
        return result;
    }

    std::map<std::string, std::string> bytes() const {
        std::map<std::string, std::string> result;
        for (const auto& [name, time] : times()) {
            result[name] = fileBytes(out(name));
        }
        return result;
    }

    fs::path out(const std::string& name) const { return scratch.path() / "gallery" / name; }

    ScratchFolder scratch;
    TProject project;
    ProgramState state;
    MainThreadQueue queue;
    FakeJobWindow window;
    ScriptedDialogs dialogs{Unscripted::Fail};
    RasterImage sizeReader;
};

const std::set<std::string> kImages{"img/rocket.jpg", "img/coffee.png", "img/chelsea.png"};
const std::set<std::string> kThumbs{"thumbs/tn_rocket.jpg", "thumbs/tn_coffee.jpg",
                                    "thumbs/tn_chelsea.jpg"};
const std::set<std::string> kPictures{"img/rocket.jpg",       "img/coffee.png",
                                      "img/chelsea.png",      "thumbs/tn_rocket.jpg",
                                      "thumbs/tn_coffee.jpg", "thumbs/tn_chelsea.jpg"};

TEST_F(IncrementalBuildTest, NothingChangedWritesNothingAndSaysSo) {
    const std::set<std::string> first = build();
    EXPECT_EQ(first.size(), 6u + 1u + 1u + 3u) << "pictures, main.css, index, three pages";
    EXPECT_EQ(state.picturesMade, 6);
    EXPECT_TRUE(fs::exists(out(BuildRecord::kFileName)));
    const auto firstBytes = bytes();

    EXPECT_EQ(build(), std::set<std::string>{}) << "pages and pictures keep their times";
    EXPECT_EQ(state.picturesMade, 0);
    EXPECT_EQ(state.picturesUpToDate, 6);
    EXPECT_EQ(window.statuses.back(), "1:Pictures: 0 made, 6 up to date");
    EXPECT_TRUE(bytes() == firstBytes);
    EXPECT_EQ(state.thumbSizes.widths, (std::vector<std::string>{"40", "40", "40"}))
        << "sizes are still read back from the files";
}

TEST_F(IncrementalBuildTest, ATouchedSourceRemakesItsTwoPicturesOnly) {
    build();
    fs::last_write_time(project.Files[1],
                        fs::last_write_time(project.Files[1]) + std::chrono::seconds(5));
    EXPECT_EQ(build(), (std::set<std::string>{"img/coffee.png", "thumbs/tn_coffee.jpg"}));
    EXPECT_EQ(state.picturesUpToDate, 4);
}

TEST_F(IncrementalBuildTest, EachShapingSettingRemakesWhatItShapes) {
    const std::vector<std::pair<std::function<void(TProject&)>, std::set<std::string>>> changes{
        {[](TProject& p) { p.ImgWidth = 100; }, kImages},
        {[](TProject& p) { p.ImgHeight = 200; }, kImages},
        {[](TProject& p) { p.KeepImgAspect = false; }, kImages},
        {[](TProject& p) { p.ImgResizeMethod = 0; }, kImages},
        {[](TProject& p) { p.JPEGQuality = 60; }, kImages},
        {[](TProject& p) { p.ProgressiveImg = true; }, kImages},
        {[](TProject& p) { p.ThumbWidth = 30; }, kThumbs},
        {[](TProject& p) { p.ThumbHeight = 50; }, kThumbs},
        {[](TProject& p) { p.KeepThumbAspect = false; }, kThumbs},
        {[](TProject& p) { p.ThumbResizeMethod = 0; }, kThumbs},
        {[](TProject& p) { p.ThumbQuality = 60; }, kThumbs},
        {[](TProject& p) { p.ProgressiveThumb = true; }, kThumbs},
        {[](TProject& p) { p.ImageMetadata = MetadataChoice::Profile; }, kImages},
        {[](TProject& p) { p.ThumbMetadata = MetadataChoice::NoLocation; }, kThumbs},
    };
    build();
    int round = 0;
    for (const auto& [change, remade] : changes) {
        change(project);
        const std::set<std::string> written = build();
        std::set<std::string> pictures;
        for (const std::string& name : written) {
            if (kPictures.count(name) > 0) {
                pictures.insert(name);
            }
        }
        EXPECT_EQ(pictures, remade) << "change " << round;
        ++round;
    }
}

TEST_F(IncrementalBuildTest, CopiesAndNewNamesAreTheirOwnOutputs) {
    build();
    project.ResizeImages = false;
    std::set<std::string> written = build();
    EXPECT_TRUE(written.count("img/rocket.jpg") > 0);
    EXPECT_EQ(fileBytes(out("img/rocket.jpg")), fileBytes(project.Files[0]));
    EXPECT_EQ(build().count("img/rocket.jpg"), 0u) << "a copy is up to date too";
    project.ThumbPrefix = "small_";
    written = build();
    EXPECT_TRUE(written.count("thumbs/small_rocket.jpg") > 0);
    EXPECT_EQ(state.picturesMade, 3);
}

TEST_F(IncrementalBuildTest, AnOutputEditedByHandIsMadeAgain) {
    build();
    const std::string made = fileBytes(out("thumbs/tn_chelsea.jpg"));
    std::ofstream(out("thumbs/tn_chelsea.jpg"), std::ios::binary | std::ios::trunc) << "edited";
    EXPECT_EQ(build(), std::set<std::string>{"thumbs/tn_chelsea.jpg"});
    EXPECT_EQ(fileBytes(out("thumbs/tn_chelsea.jpg")), made);
}

TEST_F(IncrementalBuildTest, ADamagedOrForeignRecordMeansEverythingIsMade) {
    build();
    const fs::path record = out(BuildRecord::kFileName);
    const std::string text = fileBytes(record);
    const std::vector<std::string> damaged{
        text.substr(0, text.size() / 2),                        // cut short
        text.substr(0, text.find('\n') + 1) + "another build" + // another program build
            text.substr(text.find('\n', text.find('\n') + 1)),
        "something else entirely\n",
        text + "trailing line\n",
    };
    for (const std::string& bad : damaged) {
        std::ofstream(record, std::ios::binary | std::ios::trunc) << bad;
        const std::set<std::string> written = build();
        for (const std::string& picture : kPictures) {
            EXPECT_TRUE(written.count(picture) > 0) << picture << " after: " << bad.substr(0, 40);
        }
        EXPECT_EQ(state.picturesMade, 6);
    }
}

TEST_F(IncrementalBuildTest, AskMeAndSkipKeepTheirRules) {
    build();
    project.OverwriteMode = 1;
    dialogs.answers = {Answer::Yes, Answer::No, Answer::No, Answer::No, Answer::No, Answer::No};
    const std::set<std::string> written = build();
    EXPECT_EQ(dialogs.asked.size(), 6u) << "every existing output is asked about";
    EXPECT_TRUE(written.count("img/rocket.jpg") > 0);
    EXPECT_EQ(written.count("img/coffee.png"), 0u);
    project.OverwriteMode = 2;
    fs::last_write_time(project.Files[0],
                        fs::last_write_time(project.Files[0]) + std::chrono::seconds(5));
    EXPECT_EQ(build().count("img/rocket.jpg"), 0u) << "Skip keeps even a stale output";
}

TEST_F(IncrementalBuildTest, APictureReadOnlyInPartIsMadeAgainSoItsProblemShowsAgain) {
    const std::string whole = fileBytes(project.Files[0]);
    const fs::path cut = scratch.path() / "cut.jpg";
    std::ofstream(cut, std::ios::binary) << whole.substr(0, whole.size() / 2);
    project.Files.push_back(cut.string());
    build();
    EXPECT_EQ(state.pictureProblems.partial, std::vector<std::string>{cut.string()});
    const std::set<std::string> written = build();
    EXPECT_EQ(written.count("img/cut.jpg") + written.count("thumbs/tn_cut.jpg"), 2u);
    EXPECT_EQ(state.picturesUpToDate, 6);
    EXPECT_EQ(state.pictureProblems.partial, std::vector<std::string>{cut.string()});
}

TEST(BuildRecordFile, ANameThatCannotBeRecordedIsNeverUpToDate) {
    ScratchFolder folder("record-names");
    const std::string source = (folder.path() / "a.jpg").string();
    const std::string output = (folder.path() / "out\tput.jpg").string();
    std::ofstream(source) << "a";
    std::ofstream(output) << "b";
    BuildRecord record = BuildRecord::Load(folder.str(), "id");
    record.remember(output, source, "thumb 1");
    record.remember(source, source, "thumb 1");
    record.Save();
    const BuildRecord again = BuildRecord::Load(folder.str(), "id");
    EXPECT_EQ(again.size(), 1u);
    EXPECT_FALSE(again.upToDate(output, source, "thumb 1"));
    EXPECT_TRUE(again.upToDate(source, source, "thumb 1"));
    EXPECT_FALSE(again.upToDate(source, source, "thumb 2"));
    EXPECT_FALSE(BuildRecord::Load(folder.str(), "other").upToDate(source, source, "thumb 1"));
}

} // namespace
} // namespace fotoplex
