#include "gallery/BuildSteps.h"

#include "GalleryTestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fotoplex {
namespace {

using namespace fotoplex::testing;

// A target check that counts its calls and answers as told.
struct FakeCheck {
    bool answer = true;
    int calls = 0;
    CheckTargetDirFn fn() {
        return [this] {
            ++calls;
            return answer;
        };
    }
};

// A job that counts its runs and, like the real job, fills the size lists and the flag.
struct FakeJob {
    ProgramState& state;
    bool images = false;
    int runs = 0;
    StepJobFn fn(std::size_t fileCount) {
        return [this, fileCount] {
            ++runs;
            SizeLists& sizes = images ? state.imageSizes : state.thumbSizes;
            sizes.widths.assign(fileCount, "77");
            sizes.heights.assign(fileCount, "55");
            (images ? state.imagesBuilt : state.thumbsBuilt) = true;
        };
    }
};

class BuildStepsTest : public ::testing::Test {
protected:
    BuildStepsTest() : project(projectIn(tmp)) { project.Files = {"/p/a.jpg", "/p/b.jpg"}; }

    bool folderIsEmpty() const { return std::filesystem::is_empty(tmp.dir()); }

    TempFolder tmp;
    TProject project;
    ProgramState state;
    FakeCheck check;
};

TEST_F(BuildStepsTest, AFailedTargetCheckDoesNothing) {
    check.answer = false;
    ScriptedDialogs dialogs = strictDialogs();
    FakeJob thumbs{state};
    FakeJob images{state, true};
    MakeCSSClick(project, check.fn());
    BuildIndexPagesClick(project, state, dialogs, check.fn(), thumbs.fn(2), testIdentity());
    BuildImagePagesClick(project, state, dialogs, check.fn(), images.fn(2), testIdentity());
    EXPECT_EQ(check.calls, 3);
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_EQ(thumbs.runs + images.runs, 0);
    EXPECT_TRUE(folderIsEmpty());
}

TEST_F(BuildStepsTest, TheStylesheetStepWritesMainCss) {
    MakeCSSClick(project, check.fn());
    EXPECT_EQ(check.calls, 1);
    EXPECT_EQ(readLines(tmp.file("main.css")).size(), 8u);
}

TEST_F(BuildStepsTest, StaleThumbnailsAskAndCancelWritesNothing) {
    writeBytes(tmp.file("pics/back.gif"), "tile");
    project.BackgroundImagePath = tmp.file("pics/back.gif");
    ScriptedDialogs dialogs = strictDialogs({Answer::Cancel});
    FakeJob thumbs{state};
    BuildIndexPagesClick(project, state, dialogs, check.fn(), thumbs.fn(2), testIdentity());

    ASSERT_EQ(dialogs.asked.size(), 1u);
    const MessageRequest& question = dialogs.asked[0];
    EXPECT_EQ(question.text, "Thumbnails have to be created first. Click OK to proceed.");
    EXPECT_EQ(question.icon, MessageIcon::Warning);
    EXPECT_EQ(question.buttons, MessageButtons::OkCancel);
    EXPECT_EQ(thumbs.runs, 0);
    EXPECT_FALSE(exists(tmp.file("index.html")));
    EXPECT_FALSE(exists(tmp.file("back.gif")));
}

TEST_F(BuildStepsTest, OkRunsTheThumbnailJobThenCopiesAndWrites) {
    writeBytes(tmp.file("pics/back.gif"), "tile");
    project.BackgroundImagePath = tmp.file("pics/back.gif");
    ScriptedDialogs dialogs = strictDialogs({Answer::Ok});
    FakeJob thumbs{state};
    BuildIndexPagesClick(project, state, dialogs, check.fn(), thumbs.fn(2), testIdentity());
    EXPECT_EQ(thumbs.runs, 1);
    EXPECT_EQ(readBytes(tmp.file("back.gif")), "tile");
    EXPECT_NE(readBytes(tmp.file("index.html")).find(R"(width="77" height="55")"),
              std::string::npos);
    EXPECT_FALSE(exists(tmp.file("a_jpg.html")));
}

TEST_F(BuildStepsTest, TheIndexStepGoesOnWhenTheJobWasCancelled) {
    ScriptedDialogs dialogs = strictDialogs({Answer::Ok});
    int runs = 0;
    BuildIndexPagesClick(
        project, state, dialogs, check.fn(), [&] { ++runs; }, testIdentity());
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(exists(tmp.file("index.html")));
}

TEST_F(BuildStepsTest, FreshThumbnailsAskNothing) {
    state.thumbsBuilt = true;
    state.thumbSizes.widths = {"1", "2"};
    state.thumbSizes.heights = {"3", "4"};
    ScriptedDialogs dialogs = strictDialogs();
    FakeJob thumbs{state};
    BuildIndexPagesClick(project, state, dialogs, check.fn(), thumbs.fn(2), testIdentity());
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_EQ(thumbs.runs, 0);
    EXPECT_TRUE(exists(tmp.file("index.html")));
}

TEST_F(BuildStepsTest, StaleImagesAskAndOkRunsTheImagesCommand) {
    ScriptedDialogs cancel = strictDialogs({Answer::Cancel});
    FakeJob images{state, true};
    BuildImagePagesClick(project, state, cancel, check.fn(), images.fn(2), testIdentity());
    ASSERT_EQ(cancel.asked.size(), 1u);
    EXPECT_EQ(cancel.asked[0].text, "Images have to be created first. Click OK to proceed.");
    EXPECT_EQ(cancel.asked[0].icon, MessageIcon::Warning);
    EXPECT_EQ(cancel.asked[0].buttons, MessageButtons::OkCancel);
    EXPECT_TRUE(folderIsEmpty());

    ScriptedDialogs ok = strictDialogs({Answer::Ok});
    BuildImagePagesClick(project, state, ok, check.fn(), images.fn(2), testIdentity());
    EXPECT_EQ(images.runs, 1);
    EXPECT_EQ(readLines(tmp.file("b_jpg.html"))[17],
              R"(<img src="img/b.jpg" width="77" height="55"><br>)");

    ScriptedDialogs none = strictDialogs();
    BuildImagePagesClick(project, state, none, check.fn(), images.fn(2), testIdentity());
    EXPECT_EQ(images.runs, 1);
}

TEST_F(BuildStepsTest, AFailedBackgroundCopyEndsTheStepBeforeAnyPage) {
    state.thumbsBuilt = true;
    state.imagesBuilt = true;
    // The copy's place is taken by a folder, so the copy cannot be created.
    writeBytes(tmp.file("pics/back.jpg"), "tile");
    std::filesystem::create_directories(tmp.file("back.jpg"));
    project.BackgroundImagePath = tmp.file("pics/back.jpg");
    ScriptedDialogs dialogs = strictDialogs();
    FakeJob job{state};
    EXPECT_EQ(errorOf([&] {
                  BuildIndexPagesClick(project, state, dialogs, check.fn(), job.fn(2),
                                       testIdentity());
              }),
              "Cannot create file " + tmp.file("back.jpg") + ": Is a directory");
    EXPECT_EQ(errorOf([&] {
                  BuildImagePagesClick(project, state, dialogs, check.fn(), job.fn(2),
                                       testIdentity());
              }),
              "Cannot create file " + tmp.file("back.jpg") + ": Is a directory");
    EXPECT_FALSE(exists(tmp.file("index.html")));
    EXPECT_FALSE(exists(tmp.file("a_jpg.html")));
    EXPECT_EQ(readBytes(tmp.file("pics/back.jpg")), "tile");
}

TEST_F(BuildStepsTest, ThumbnailLinksReachTheImagePages) {
    project.Files = {"/p/Beach.JPG", "/p/my.beach.png", "/p/scan01", "/q/Beach.JPG"};
    state.thumbsBuilt = true;
    state.imagesBuilt = true;
    state.thumbSizes.widths.assign(4, "1");
    state.thumbSizes.heights.assign(4, "1");
    state.imageSizes = state.thumbSizes;
    ScriptedDialogs dialogs = strictDialogs();
    BuildIndexPagesClick(project, state, dialogs, check.fn(), {}, testIdentity());
    BuildImagePagesClick(project, state, dialogs, check.fn(), {}, testIdentity());
    const std::string index = readBytes(tmp.file("index.html"));
    for (const std::string& page : state.pageNames) {
        EXPECT_NE(index.find("<a href=\"" + page + "\""), std::string::npos) << page;
        EXPECT_TRUE(exists(tmp.file(page))) << page;
    }
    EXPECT_EQ(state.pageNames.size(), 4u);
}

} // namespace
} // namespace fotoplex
