#include "gallery/BuildGallery.h"

#include "base/Error.h"
#include "engine/RasterImage.h"
#include "production/JobFakes.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace fotoplex {
namespace {

namespace fs = std::filesystem;
using jobtest::FakeJobWindow;
using jobtest::ScratchFolder;
using jobtest::ScriptedDialogs;
using jobtest::Unscripted;

const fs::path kSamples = fs::path(FOTOPLEX_SOURCE_DIR) / "resources" / "samples";

class BuildGalleryTest : public ::testing::Test {
protected:
    BuildGalleryTest()
        : scratch(::testing::UnitTest::GetInstance()->current_test_info()->name()), window(queue) {
        fs::create_directories(scratch.path() / "gallery");
        project.TargetDir = (scratch.path() / "gallery").string() + "/";
        project.ImgResizeMethod = 1;
        project.ThumbResizeMethod = 1;
        for (const char* name : {"rocket.jpg", "coffee.png", "chelsea.png"}) {
            fs::copy_file(kSamples / name, scratch.path() / name);
            project.Files.push_back((scratch.path() / name).string());
        }
    }

    JobContext context() {
        return JobContext{project,
                          state,
                          window,
                          dialogs,
                          queue,
                          sizeReader,
                          [this] {
                              ++checks;
                              return checks <= passingChecks;
                          },
                          [this] { project.Modified = true; }};
    }
    fs::path out(const std::string& name) const { return scratch.path() / "gallery" / name; }

    ScratchFolder scratch;
    TProject project;
    ProgramState state;
    MainThreadQueue queue;
    FakeJobWindow window;
    ScriptedDialogs dialogs{Unscripted::DefaultAnswer};
    RasterImage sizeReader;
    int checks = 0;
    int passingChecks = 1000;
};

TEST_F(BuildGalleryTest, ACompleteRunWritesEverythingAndOpensTheIndex) {
    project.ShowWhenReady = true;
    JobContext job = context();
    BuildAllBtnClick(job);
    EXPECT_TRUE(fs::exists(out("img/rocket.jpg")));
    EXPECT_TRUE(fs::exists(out("thumbs/tn_chelsea.jpg")));
    EXPECT_TRUE(fs::exists(out("main.css")));
    EXPECT_TRUE(fs::exists(out("index.html")));
    EXPECT_TRUE(fs::exists(out("rocket_jpg.html")));
    EXPECT_EQ(window.buildPageShown, 1);
    EXPECT_EQ(window.locks, 1);
    EXPECT_EQ(window.unlocks, 1);
    EXPECT_FALSE(window.locked);
    EXPECT_EQ(window.progress.back(), 0);
    EXPECT_FALSE(state.jobCancelled);
    EXPECT_EQ(checks, 5) << "every step checks the target folder";
    ASSERT_EQ(window.opened.size(), 1u);
    EXPECT_EQ(window.opened[0], (scratch.path() / "gallery" / "index.html").string());
    EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(BuildGalleryTest, EmptyListOnlySaysSo) {
    project.Files.clear();
    project.ShowWhenReady = true;
    JobContext job = context();
    BuildAllBtnClick(job);
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].text, "Please select files first.");
    EXPECT_EQ(window.buildPageShown, 0);
    EXPECT_EQ(window.locks, 0);
    EXPECT_TRUE(window.opened.empty());
}

TEST_F(BuildGalleryTest, ARefusedCheckStopsTheRunButTheBrowserStillOpens) {
    project.ShowWhenReady = true;
    passingChecks = 1; // the images pass, the thumbnails' check fails
    JobContext job = context();
    BuildAllBtnClick(job);
    EXPECT_TRUE(fs::exists(out("img/rocket.jpg")));
    EXPECT_FALSE(fs::exists(out("thumbs")));
    EXPECT_FALSE(fs::exists(out("main.css")));
    EXPECT_EQ(checks, 2);
    EXPECT_EQ(window.unlocks, 1);
    EXPECT_EQ(window.opened.size(), 1u);
}

TEST_F(BuildGalleryTest, CancelDuringThumbnailsStopsBeforeTheStylesheet) {
    window.onStatus = [this](int panel, const std::string& text) {
        if (panel == 0 && text == "Status: Loading") {
            state.lastKey = kEscapeKey;
        }
    };
    dialogs.answers = {Answer::Yes};
    JobContext job = context();
    BuildAllBtnClick(job);
    EXPECT_TRUE(fs::exists(out("img/chelsea.png")));
    EXPECT_TRUE(fs::exists(out("thumbs/tn_rocket.jpg")));
    EXPECT_FALSE(fs::exists(out("thumbs/tn_coffee.jpg")));
    EXPECT_FALSE(fs::exists(out("main.css")));
    EXPECT_FALSE(fs::exists(out("index.html")));
    EXPECT_FALSE(state.jobCancelled) << "cleared at the end";
    EXPECT_FALSE(window.locked);
    EXPECT_EQ(window.progress.back(), 0);
}

TEST_F(BuildGalleryTest, AReadOnlyStylesheetEndsTheRunWithAnErrorAndNoBrowser) {
    project.ShowWhenReady = true;
    std::ofstream(out("main.css")) << "old";
    fs::permissions(out("main.css"), fs::perms::owner_read);
    JobContext job = context();
    try {
        BuildAllBtnClick(job);
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot create file " + out("main.css").string());
    }
    EXPECT_TRUE(fs::exists(out("thumbs/tn_rocket.jpg")));
    EXPECT_FALSE(fs::exists(out("index.html")));
    EXPECT_TRUE(window.opened.empty());
    EXPECT_FALSE(window.locked);
    EXPECT_EQ(jobtest::fileBytes(out("main.css")), "old");
}

TEST_F(BuildGalleryTest, RunningTwiceRewritesThePages) {
    JobContext job = context();
    BuildAllBtnClick(job);
    std::ofstream(out("index.html")) << "scribbled";
    project.OverwriteMode = 2;
    BuildAllBtnClick(job);
    EXPECT_NE(jobtest::fileBytes(out("index.html")), "scribbled");
}

TEST_F(BuildGalleryTest, PicturesThatCannotBeMadeAreShownOnceAfterTheRun) {
    std::ofstream(scratch.path() / "junk.jpg") << "not a picture";
    project.Files.insert(project.Files.begin() + 1, (scratch.path() / "junk.jpg").string());
    project.ResizeImages = true;
    bool lockedWhenShown = true;
    struct Watching : ScriptedDialogs {
        std::function<void()> onAsk;
        Answer ask(const MessageRequest& request) override {
            onAsk();
            return ScriptedDialogs::ask(request);
        }
    } watching;
    watching.onAsk = [&] { lockedWhenShown = window.locked; };
    JobContext job{project,
                   state,
                   window,
                   watching,
                   queue,
                   sizeReader,
                   [] { return true; },
                   [this] { project.Modified = true; }};
    BuildAllBtnClick(job);

    EXPECT_TRUE(fs::exists(out("index.html"))) << "the build goes on with the other pictures";
    EXPECT_TRUE(fs::exists(out("chelsea_png.html")));
    EXPECT_FALSE(fs::exists(out("img/junk.jpg")));
    EXPECT_FALSE(fs::exists(out("thumbs/tn_junk.jpg")));
    ASSERT_EQ(watching.asked.size(), 1u);
    EXPECT_EQ(watching.asked[0].text,
              "1 picture could not be made:\n" + project.Files[1] + ": not a readable JPEG header");
    EXPECT_EQ(watching.asked[0].icon, MessageIcon::Warning);
    EXPECT_FALSE(lockedWhenShown);
    EXPECT_EQ(state.pictureProblems.failed.size(), 1u) << "kept for the command line's status";

    BuildAllBtnClick(job);
    EXPECT_EQ(watching.asked.size(), 2u) << "each run shows its own list";
    EXPECT_EQ(state.pictureProblems.failed.size(), 1u);
}

TEST(GalleryIndexPath, DropsTheTrailingDelimiter) {
    TProject project;
    project.TargetDir = "/srv/www/gallery/";
    EXPECT_EQ(GalleryIndexPath(project), "/srv/www/gallery/index.html");
    project.TargetDir = "/srv/www/gallery";
    EXPECT_EQ(GalleryIndexPath(project), "/srv/www/gallery/index.html");
}

} // namespace
} // namespace fotoplex
