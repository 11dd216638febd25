#include "production/ImageJobs.h"

#include "base/Error.h"
#include "engine/RasterImage.h"
#include "production/JobFakes.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace fotoplex {
namespace {

namespace fs = std::filesystem;
using jobtest::FakeJobWindow;
using jobtest::isJpeg;
using jobtest::ScratchFolder;
using jobtest::ScriptedDialogs;
using jobtest::Unscripted;

const fs::path kSamples = fs::path(FOTOPLEX_SOURCE_DIR) / "resources" / "samples";

class ImageJobsTest : public ::testing::Test {
protected:
    ImageJobsTest()
        : scratch(::testing::UnitTest::GetInstance()->current_test_info()->name()), window(queue) {
        fs::create_directories(scratch.path() / "src");
        fs::create_directories(scratch.path() / "gallery");
        project.TargetDir = (scratch.path() / "gallery").string() + "/";
        project.ResizeImages = true;
        project.ImgResizeMethod = 1; // Triangle: quick and exact enough for sizes
        project.ThumbResizeMethod = 1;
    }

    // Copies a bundled sample into the source folder under a name of the test's choice.
    std::string source(const std::string& sample, const std::string& name) {
        const fs::path to = scratch.path() / "src" / name;
        fs::copy_file(kSamples / sample, to, fs::copy_options::overwrite_existing);
        return to.string();
    }
    fs::path image(const std::string& name) const {
        return scratch.path() / "gallery" / "img" / name;
    }
    fs::path thumb(const std::string& name) const {
        return scratch.path() / "gallery" / "thumbs" / name;
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
                              return checkResult;
                          },
                          [this] {
                              project.Modified = true;
                              ++modifiedMarks;
                          }};
    }

    bool hasStatus(const std::string& entry) const {
        return std::find(window.statuses.begin(), window.statuses.end(), entry) !=
               window.statuses.end();
    }

    ScratchFolder scratch;
    TProject project;
    ProgramState state;
    MainThreadQueue queue;
    FakeJobWindow window;
    ScriptedDialogs dialogs{Unscripted::DefaultAnswer};
    RasterImage sizeReader;
    bool checkResult = true;
    int checks = 0;
    int modifiedMarks = 0;
};

TEST_F(ImageJobsTest, ResizesEverySourceIntoTheBoxAndRecordsTheSizes) {
    project.Files = {source("rocket.jpg", "rocket.jpg"), source("coffee.png", "Coffee.png"),
                     source("astronaut.png", "astro.png")};
    JobContext job = context();
    ImageJob(job);

    EXPECT_TRUE(state.imagesBuilt);
    EXPECT_TRUE(isJpeg(image("rocket.jpg")));
    EXPECT_TRUE(isJpeg(image("Coffee.png"))) << "a PNG source gives JPEG data under its own name";
    // Box 640 x 480, aspect kept, box wider than high: width 640 for every picture.
    EXPECT_EQ(state.imageSizes.widths, (std::vector<std::string>{"640", "640", "640"}));
    EXPECT_EQ(state.imageSizes.heights, (std::vector<std::string>{"427", "426", "640"}));
    EXPECT_EQ(window.progressMaximum, 2);
    EXPECT_EQ(window.progress.back(), 2);
    EXPECT_EQ(window.statuses.front(), "0:Status: Working...");
    EXPECT_TRUE(hasStatus("1:File: Coffee.png"));
    EXPECT_EQ(window.statuses[window.statuses.size() - 2], "0:Status: Ready");
    EXPECT_EQ(window.statuses.back(), "1:");
    EXPECT_EQ(window.busyCalls, (std::vector<bool>{true, false}));
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_EQ(checks, 1);
}

TEST_F(ImageJobsTest, ThumbnailsFollowTheBoxRuleAndShowTheirStatusTexts) {
    project.Files = {source("rocket.jpg", "rocket.jpg"), source("astronaut.png", "astro.png")};
    project.ThumbWidth = 100;
    project.ThumbHeight = 120; // higher than wide: the height is set
    JobContext job = context();
    ThumbJob(job);

    EXPECT_TRUE(state.thumbsBuilt);
    EXPECT_TRUE(isJpeg(thumb("tn_rocket.jpg")));
    EXPECT_TRUE(isJpeg(thumb("tn_astro.jpg")));
    EXPECT_EQ(state.thumbSizes.widths, (std::vector<std::string>{"179", "120"}));
    EXPECT_EQ(state.thumbSizes.heights, (std::vector<std::string>{"120", "120"}));
    const std::vector<std::string> firstFile(window.statuses.begin(), window.statuses.begin() + 5);
    EXPECT_EQ(firstFile, (std::vector<std::string>{"0:Status: Loading", "1:File: rocket.jpg",
                                                   "0:Status: Resizing", "0:Status: Saving",
                                                   "1:File: tn_rocket.jpg"}));
    EXPECT_EQ(window.progress, (std::vector<int>{0, 1}));
}

TEST_F(ImageJobsTest, EmptyListAndRefusedCheckEndTheJobEarly) {
    JobContext job = context();
    ImageJob(job);
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].text, "Please select files first.");
    EXPECT_EQ(dialogs.asked[0].caption, "Error");
    EXPECT_TRUE(window.statuses.empty());

    project.Files = {source("rocket.jpg", "rocket.jpg")};
    checkResult = false;
    ThumbJob(job);
    EXPECT_EQ(dialogs.asked.size(), 1u) << "the check shows its own message";
    EXPECT_FALSE(fs::exists(thumb("tn_rocket.jpg")));
}

TEST_F(ImageJobsTest, MissingSourcesArePrunedFromTheProjectAndTheList) {
    const std::string kept = source("rocket.jpg", "rocket.jpg");
    project.Files = {"/nowhere/a.jpg", kept, "/nowhere/b.jpg"};
    state.imagesBuilt = state.thumbsBuilt = true;
    JobContext job = context();
    ThumbJob(job);
    EXPECT_EQ(project.Files, std::vector<std::string>{kept});
    EXPECT_EQ(window.removedRows, (std::vector<int>{2, 0}));
    EXPECT_FALSE(state.imagesBuilt);
    EXPECT_TRUE(state.thumbsBuilt) << "the job itself completed";
    EXPECT_EQ(state.thumbSizes.widths.size(), 1u);
}

TEST_F(ImageJobsTest, AllSourcesGoneLeavesAnEmptyCompletedJob) {
    project.Files = {"/nowhere/a.jpg"};
    JobContext job = context();
    ImageJob(job);
    EXPECT_TRUE(project.Files.empty());
    EXPECT_TRUE(state.imagesBuilt);
    EXPECT_TRUE(state.imageSizes.widths.empty());
    EXPECT_TRUE(hasStatus("0:Status: Ready"));
}

TEST_F(ImageJobsTest, SkipKeepsEveryOutputAndStillRecordsItsSize) {
    project.Files = {source("rocket.jpg", "a.jpg"), source("coffee.png", "b.png")};
    JobContext job = context();
    ImageJob(job);
    const auto before = fs::last_write_time(image("a.jpg"));
    const std::string bytes = jobtest::fileBytes(image("b.png"));

    project.OverwriteMode = 2;
    project.ImgWidth = 100;
    ImageJob(job);
    EXPECT_EQ(fs::last_write_time(image("a.jpg")), before);
    EXPECT_EQ(jobtest::fileBytes(image("b.png")), bytes);
    EXPECT_EQ(state.imageSizes.widths, (std::vector<std::string>{"640", "640"}));
}

TEST_F(ImageJobsTest, AskMeNoForTheSecondFileKeepsItAndAsksByFileName) {
    project.Files = {source("rocket.jpg", "a.jpg"), source("coffee.png", "b.png"),
                     source("astronaut.png", "c.png")};
    JobContext job = context();
    ImageJob(job);

    project.OverwriteMode = 1;
    project.ImgWidth = 320;
    project.ImgHeight = 240;
    dialogs.answers = {Answer::Yes, Answer::No, Answer::Yes};
    ImageJob(job);
    ASSERT_EQ(dialogs.asked.size(), 3u);
    EXPECT_EQ(dialogs.asked[1].text, "File b.png already exists. Do you want to overwrite it ?");
    EXPECT_EQ(dialogs.asked[1].caption, "Confirm");
    EXPECT_EQ(dialogs.asked[1].buttons, MessageButtons::YesNo);
    EXPECT_EQ(state.imageSizes.widths, (std::vector<std::string>{"320", "640", "320"}));
}

TEST_F(ImageJobsTest, AskMeOnAFreshFolderAsksNothing) {
    project.OverwriteMode = 1;
    project.Files = {source("rocket.jpg", "a.jpg"), source("coffee.png", "b.png")};
    JobContext job = context();
    ThumbJob(job);
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_TRUE(fs::exists(thumb("tn_a.jpg")));
    EXPECT_TRUE(fs::exists(thumb("tn_b.jpg")));
}

TEST_F(ImageJobsTest, EscAnsweredYesAtTheThirdOfFiveFilesCancels) {
    for (const char* name : {"1.jpg", "2.jpg", "3.jpg", "4.jpg", "5.jpg"}) {
        project.Files.push_back(source("rocket.jpg", name));
    }
    window.onStatus = [this](int panel, const std::string& text) {
        if (panel == 1 && text == "File: 2.jpg") {
            state.lastKey = kEscapeKey;
        }
    };
    state.thumbsBuilt = true;
    project.Modified = false;
    dialogs.answers = {Answer::Yes};
    JobContext job = context();
    ImageJob(job);

    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].text, "Do you want to cancel the job?");
    EXPECT_EQ(dialogs.asked[0].caption, "Confirm");
    EXPECT_TRUE(fs::exists(image("1.jpg")));
    EXPECT_TRUE(fs::exists(image("2.jpg")));
    EXPECT_FALSE(fs::exists(image("3.jpg")));
    EXPECT_FALSE(state.imagesBuilt);
    EXPECT_FALSE(state.thumbsBuilt);
    EXPECT_TRUE(state.jobCancelled);
    EXPECT_TRUE(project.Modified);
    EXPECT_EQ(state.lastKey, 0);
    EXPECT_EQ(state.imageSizes.widths.size(), 2u);
    EXPECT_EQ(window.progress.back(), 0);
}

TEST_F(ImageJobsTest, EscAnsweredNoGoesOnWithTheFile) {
    project.Files = {source("rocket.jpg", "1.jpg"), source("rocket.jpg", "2.jpg")};
    state.lastKey = kEscapeKey; // pressed before the job started
    dialogs.answers = {Answer::No};
    JobContext job = context();
    ThumbJob(job);
    EXPECT_EQ(dialogs.asked.size(), 1u) << "asked once, before the first file";
    EXPECT_TRUE(state.thumbsBuilt);
    EXPECT_FALSE(state.jobCancelled);
    EXPECT_TRUE(fs::exists(thumb("tn_2.jpg")));
}

TEST_F(ImageJobsTest, ResizingOffCopiesBytesAndRecordsTheSourceSize) {
    project.ResizeImages = false;
    const std::string a = source("coffee.png", "a.png");
    project.Files = {a};
    JobContext job = context();
    ImageJob(job);
    EXPECT_EQ(jobtest::fileBytes(image("a.png")), jobtest::fileBytes(a));
    EXPECT_EQ(state.imageSizes.widths, std::vector<std::string>{"600"});
    EXPECT_EQ(state.imageSizes.heights, std::vector<std::string>{"400"});
}

TEST_F(ImageJobsTest, ReadOnlyOutputsAreReplacedUnderOverwrite) {
    project.Files = {source("rocket.jpg", "a.jpg")};
    JobContext job = context();
    ImageJob(job);
    ThumbJob(job);
    fs::permissions(image("a.jpg"), fs::perms::owner_read);
    fs::permissions(thumb("tn_a.jpg"), fs::perms::owner_read);
    project.ImgWidth = 200;
    project.ImgHeight = 150;
    project.ThumbWidth = 50;
    project.ThumbHeight = 50;
    ImageJob(job);
    ThumbJob(job);
    EXPECT_EQ(state.imageSizes.widths, std::vector<std::string>{"200"});
    EXPECT_EQ(state.thumbSizes.widths, std::vector<std::string>{"50"});

    project.ResizeImages = false;
    fs::permissions(image("a.jpg"), fs::perms::owner_read);
    ImageJob(job);
    EXPECT_EQ(state.imageSizes.widths, std::vector<std::string>{"640"})
        << "copied over the read-only file";
}

TEST_F(ImageJobsTest, DuplicateNamesGetAnOutputEach) {
    fs::create_directories(scratch.path() / "src" / "other");
    const std::string first = source("rocket.jpg", "x.jpg");
    fs::copy_file(kSamples / "hubble_deep_field.jpg", scratch.path() / "src" / "other" / "x.jpg");
    project.Files = {first, (scratch.path() / "src" / "other" / "x.jpg").string()};
    project.OverwriteMode = 2;
    JobContext job = context();
    ImageJob(job);
    ThumbJob(job);
    EXPECT_TRUE(state.pictureProblems.failed.empty());
    EXPECT_NE(state.imageSizes.heights[0], state.imageSizes.heights[1])
        << "the second has an image of its own, not the first's";
    RasterImage reader;
    reader.ReadFileHeader(image("x-2.jpg").string());
    EXPECT_EQ(state.imageSizes.heights[1], std::to_string(reader.FileParams.Height));
    EXPECT_TRUE(isJpeg(thumb("tn_x-2.jpg")));
    EXPECT_TRUE(dialogs.asked.empty()) << "nothing was there to skip or ask about";
    ASSERT_EQ(state.pictureProblems.distinctNames.size(), 1u);
    EXPECT_EQ(state.pictureProblems.distinctNames[0].rfind(project.Files[1] + ": named x-2.jpg", 0),
              0u);
}

TEST_F(ImageJobsTest, AnOutputThatIsItsOwnSourceIsNeverTouched) {
    const std::string a = source("rocket.jpg", "a.jpg");
    const std::string bytes = jobtest::fileBytes(a);
    project.TargetDir = (scratch.path() / "src").string() + "/";
    project.ImageFolder = "";
    project.ThumbFolder = "";
    project.ThumbPrefix = "";
    const std::string b = source("coffee.png", "b.jpg");
    project.Files = {a};
    for (int mode : {0, 1, 2}) {
        project.OverwriteMode = mode;
        JobContext job = context();
        ImageJob(job);
        ThumbJob(job);
        EXPECT_EQ(jobtest::fileBytes(a), bytes) << "mode " << mode;
        EXPECT_EQ(state.imageSizes.widths, std::vector<std::string>{"640"});
        EXPECT_EQ(state.thumbSizes.widths, std::vector<std::string>{"640"});
    }
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_TRUE(hasStatus("1:File: a.jpg (its own output: left as it is)"));

    project.ResizeImages = false;
    project.Files = {b};
    const std::string bBytes = jobtest::fileBytes(b);
    JobContext job = context();
    ImageJob(job);
    EXPECT_EQ(jobtest::fileBytes(b), bBytes) << "no copy onto itself";
}

TEST_F(ImageJobsTest, AnUnreadableOutputIsRecordedAsZeroNotThePreviousSize) {
    const std::string good = source("rocket.jpg", "good.jpg");
    const fs::path bad = scratch.path() / "src" / "bad.jpg";
    std::ofstream(bad) << "this is not a picture";
    project.Files = {good, bad.string()};
    JobContext job = context();
    ImageJob(job);
    EXPECT_EQ(state.imageSizes.widths, (std::vector<std::string>{"640", "0"}));
    EXPECT_EQ(state.imageSizes.heights, (std::vector<std::string>{"427", "0"}));
    EXPECT_EQ(jobtest::fileBytes(bad), "this is not a picture") << "the source is only read";
}

TEST_F(ImageJobsTest, OutputFolderThatCannotBeCreatedEndsTheJobBeforeAnyFile) {
    project.Files = {source("rocket.jpg", "a.jpg")};
    project.ImageFolder = "missing/level/";
    state.imageSizes.widths = {"7"};
    JobContext job = context();
    try {
        ImageJob(job);
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot create " + project.TargetDir.str() + "missing/level/");
    }
    EXPECT_EQ(state.imageSizes.widths, std::vector<std::string>{"7"}) << "lists stay as they were";
}

TEST_F(ImageJobsTest, CommandsUnlockAndResetProgressAfterAnError) {
    project.Files = {source("rocket.jpg", "a.jpg")};
    project.ImageFolder = "missing/level/";
    JobContext job = context();
    EXPECT_THROW(RunImagesCommand(job), Error);
    EXPECT_EQ(window.locks, 1);
    EXPECT_EQ(window.unlocks, 1);
    EXPECT_EQ(window.progress.back(), 0);
    EXPECT_EQ(window.busyCalls.size() % 2, 0u) << "the cursor is restored";
}

} // namespace
} // namespace fotoplex

namespace fotoplex {
namespace {

TEST_F(ImageJobsTest, TheOutputFolderIsFormedAfterTheCheckHasEndedTargetDirWithADelimiter) {
    project.Files = {source("rocket.jpg", "a.jpg")};
    project.TargetDir = (scratch.path() / "gallery").string(); // no delimiter yet
    JobContext job = context();
    job.checkTargetDir = [this] {
        project.TargetDir = project.TargetDir.str() + "/";
        return true;
    };
    ImageJob(job);
    ThumbJob(job);
    EXPECT_TRUE(fs::exists(image("a.jpg")));
    EXPECT_TRUE(fs::exists(thumb("tn_a.jpg")));
    EXPECT_FALSE(fs::exists(scratch.path() / "galleryimg"));
}

} // namespace
} // namespace fotoplex

namespace fotoplex {
namespace {

// A text file under a picture's name, and the first half of a real JPEG.
class BadSourcesTest : public ImageJobsTest {
protected:
    std::string junk(const std::string& name) {
        const fs::path to = scratch.path() / "src" / name;
        std::ofstream(to) << "hello, I am not a photograph\n";
        return to.string();
    }
    std::string cut(const std::string& name) {
        const std::string bytes = jobtest::fileBytes(kSamples / "rocket.jpg");
        const fs::path to = scratch.path() / "src" / name;
        std::ofstream(to, std::ios::binary) << bytes.substr(0, bytes.size() / 3);
        return to.string();
    }
};

TEST_F(BadSourcesTest, TheJobsGoOnListEveryBadPictureOnceAndLeaveNoEmptyOutput) {
    const std::string bad = junk("junk.jpg");
    const std::string damaged = cut("cut.jpg");
    project.Files = {bad, source("rocket.jpg", "good.jpg"), damaged};
    fs::create_directories(image("").parent_path());
    std::ofstream(image("junk.jpg")) << "an older output, removed under Overwrite";
    JobContext job = context();
    ImageJob(job);
    ThumbJob(job);

    EXPECT_TRUE(state.imagesBuilt);
    EXPECT_TRUE(state.thumbsBuilt);
    EXPECT_FALSE(fs::exists(image("junk.jpg")));
    EXPECT_FALSE(fs::exists(thumb("tn_junk.jpg")));
    EXPECT_TRUE(isJpeg(image("good.jpg")));
    EXPECT_TRUE(isJpeg(thumb("tn_good.jpg")));
    EXPECT_TRUE(isJpeg(image("cut.jpg"))) << "written as far as read";
    ASSERT_EQ(state.imageSizes.widths.size(), 3u);
    EXPECT_EQ(state.imageSizes.widths[0], "0");
    EXPECT_EQ(state.imageSizes.widths[1], state.imageSizes.widths[2]);

    ASSERT_EQ(state.pictureProblems.failed.size(), 1u) << "one entry for both jobs";
    EXPECT_EQ(state.pictureProblems.failed[0].source, bad);
    EXPECT_EQ(state.pictureProblems.failed[0].reason, "not a readable JPEG header");
    EXPECT_EQ(state.pictureProblems.partial, std::vector<std::string>{damaged});
    EXPECT_TRUE(dialogs.asked.empty()) << "the jobs themselves show nothing";
}

TEST_F(BadSourcesTest, TheCommandsShowOneWarningAndNothingWhenAllIsMade) {
    project.Files = {source("rocket.jpg", "a.jpg"), source("coffee.png", "b.png")};
    JobContext job = context();
    RunImagesCommand(job);
    RunThumbnailsCommand(job);
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_TRUE(state.pictureProblems.empty());

    project.Files.push_back(junk("c.png"));
    RunThumbnailsCommand(job);
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].text, "1 picture could not be made:\n" + project.Files[2] +
                                         ": not a PNG file");
    EXPECT_EQ(window.locks, window.unlocks);
}

} // namespace
} // namespace fotoplex

namespace fotoplex {
namespace {

// The overwrite policy is about files: a folder at an output path stays, under every mode.
TEST_F(BadSourcesTest, AFolderAtAnOutputPathIsNeverRemovedNorAskedAbout) {
    project.Files = {source("rocket.jpg", "a.jpg"), source("coffee.png", "b.png")};
    for (const int mode : {0, 1}) {
        project.OverwriteMode = mode;
        fs::remove(image("b.png"));
        fs::remove(thumb("tn_a.jpg"));
        fs::create_directories(image("a.jpg"));               // empty
        fs::create_directories(thumb("tn_b.jpg") / "inside"); // not empty
        dialogs.asked.clear();
        JobContext job = context();
        RunImagesCommand(job);
        RunThumbnailsCommand(job);

        EXPECT_TRUE(fs::is_directory(image("a.jpg"))) << mode;
        EXPECT_TRUE(fs::is_directory(thumb("tn_b.jpg") / "inside")) << mode;
        EXPECT_TRUE(isJpeg(image("b.png")));
        EXPECT_TRUE(isJpeg(thumb("tn_a.jpg")));
        ASSERT_EQ(dialogs.asked.size(), 2u) << "no question, one warning per command";
        EXPECT_NE(dialogs.asked[0].text.find("Cannot create file " + image("a.jpg").string()),
                  std::string::npos)
            << dialogs.asked[0].text;
        EXPECT_NE(dialogs.asked[1].text.find("Cannot create file " + thumb("tn_b.jpg").string()),
                  std::string::npos);
    }
}

TEST_F(BadSourcesTest, AFolderAtACopyPathFailsTheCopy) {
    project.ResizeImages = false;
    project.Files = {source("rocket.jpg", "a.jpg")};
    fs::create_directories(image("a.jpg"));
    JobContext job = context();
    try {
        ImageJob(job);
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot create file " + image("a.jpg").string() + ": Is a directory");
    }
    EXPECT_TRUE(fs::is_directory(image("a.jpg")));
}

} // namespace
} // namespace fotoplex
