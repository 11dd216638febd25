// The image and thumbnail jobs with several workers: the same bytes, questions, sizes and
// progress in list order as with one, a cancel that lets the files in flight finish whole.
#include "engine/RasterImage.h"
#include "production/BuildRecord.h"
#include "production/ImageJobs.h"
#include "production/JobFakes.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace fotoplex {
namespace {

namespace fs = std::filesystem;
using jobtest::FakeJobWindow;
using jobtest::fileBytes;
using jobtest::isJpeg;
using jobtest::ScratchFolder;
using jobtest::ScriptedDialogs;
using jobtest::Unscripted;

const fs::path kSamples = fs::path(FOTOPLEX_SOURCE_DIR) / "resources" / "samples";
const char* const kSampleNames[] = {"rocket.jpg", "coffee.png", "chelsea.png", "astronaut.png",
                                    "hubble_deep_field.jpg"};

// Every file under folder but the build record (it holds times), by its path relative to folder,
// with its bytes.
std::map<std::string, std::string> treeBytes(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file() && entry.path().filename() != BuildRecord::kFileName) {
            files[fs::relative(entry.path(), folder).string()] = fileBytes(entry.path());
        }
    }
    return files;
}

// One run of a job over a list of sources in a folder of its own.
class JobRun {
public:
    explicit JobRun(const fs::path& root) : window(queue) {
        fs::create_directories(root / "gallery");
        project.TargetDir = (root / "gallery").string() + "/";
        project.ResizeImages = true;
        project.ImgResizeMethod = 1;
        project.ThumbResizeMethod = 1;
        project.ImgWidth = 160;
        project.ImgHeight = 120;
        project.ThumbWidth = 48;
        project.ThumbHeight = 48;
    }
    JobContext context(int workers) {
        return JobContext{project,
                          state,
                          window,
                          dialogs,
                          queue,
                          sizeReader,
                          [] { return true; },
                          [this] { project.Modified = true; },
                          workers};
    }
    fs::path out(const std::string& name) const { return fs::path(project.TargetDir.str()) / name; }

    TProject project;
    ProgramState state;
    MainThreadQueue queue;
    FakeJobWindow window;
    ScriptedDialogs dialogs{Unscripted::Fail};
    RasterImage sizeReader;
};

class ParallelJobsTest : public ::testing::Test {
protected:
    ParallelJobsTest() : scratch(::testing::UnitTest::GetInstance()->current_test_info()->name()) {
        fs::create_directories(scratch.path() / "src");
    }

    // count sources named a.*, b.*, ... cycling through the samples.
    std::vector<std::string> sources(int count) {
        std::vector<std::string> files;
        for (int k = 0; k < count; ++k) {
            const fs::path sample = kSampleNames[k % std::size(kSampleNames)];
            const fs::path to =
                scratch.path() / "src" /
                (std::string(1, static_cast<char>('a' + k)) + sample.extension().string());
            fs::copy_file(kSamples / sample, to, fs::copy_options::overwrite_existing);
            files.push_back(to.string());
        }
        return files;
    }

    std::unique_ptr<JobRun> run(const std::string& name, const std::vector<std::string>& files) {
        auto job = std::make_unique<JobRun>(scratch.path() / name);
        job->project.Files = files;
        return job;
    }

    ScratchFolder scratch;
};

void runBothJobs(JobRun& run, int workers) {
    JobContext job = run.context(workers);
    ImageJob(job);
    ThumbJob(job);
}

TEST_F(ParallelJobsTest, AnyNumberOfWorkersWritesTheSameBytesSizesAndProgress) {
    std::vector<std::string> files = sources(7);
    files.push_back(files[0]); // the same output twice: the later file replaces the earlier
    std::map<std::string, std::string> firstBytes;
    for (const int workers : {1, 2, 4}) {
        auto job = run("w" + std::to_string(workers), files);
        runBothJobs(*job, workers);
        const auto bytes = treeBytes(job->out(""));
        EXPECT_EQ(bytes.size(), 14u) << workers;
        EXPECT_TRUE(job->state.imagesBuilt && job->state.thumbsBuilt);
        EXPECT_EQ(job->state.imageSizes.widths.size(), files.size());
        EXPECT_EQ(job->state.imageSizes.widths[0], "160");
        EXPECT_EQ(job->window.progress,
                  (std::vector<int>{0, 0, 1, 2, 3, 4, 5, 6, 7, 0, 1, 2, 3, 4, 5, 6, 7}))
            << "progress in list order with " << workers << " workers";
        EXPECT_EQ(job->window.busyCalls, (std::vector<bool>{true, false, true, false}));
        if (workers == 1) {
            firstBytes = bytes;
            continue;
        }
        EXPECT_TRUE(bytes == firstBytes) << workers << " workers wrote other bytes";
        EXPECT_EQ(job->state.thumbSizes.widths,
                  (std::vector<std::string>{"48", "48", "48", "48", "48", "48", "48", "48"}));
    }
}

TEST_F(ParallelJobsTest, OneBigPhotoBorrowsTheIdleWorkersCoresAndWritesTheSameBytes) {
    // One photo of more than a megapixel and more workers than files: its resizes are split
    // among the cores no worker holds, which must change no byte.
    Picture big = makePicture(1400, 1000, PixelFormat::Rgb24);
    for (std::size_t i = 0; i < big.pixels.size(); ++i) {
        big.pixels[i] = static_cast<std::uint8_t>((i * 7 + i / 4200 * 13) % 251);
    }
    RasterImage writer;
    writer.assignPicture(std::move(big));
    writer.FileParams.Quality = 90;
    const std::string source = (scratch.path() / "src" / "big.jpg").string();
    writer.WriteJpegFile(source);
    std::map<std::string, std::string> oneWorker;
    for (const int workers : {1, 3}) {
        auto job = run("big" + std::to_string(workers), {source, source});
        runBothJobs(*job, workers);
        EXPECT_EQ(job->state.imageSizes.widths, (std::vector<std::string>{"160", "160"}));
        const auto bytes = treeBytes(job->out(""));
        ASSERT_EQ(bytes.size(), 2u);
        if (workers == 1) {
            oneWorker = bytes;
        } else {
            EXPECT_TRUE(bytes == oneWorker) << "split resizes wrote other bytes";
        }
    }
}

TEST_F(ParallelJobsTest, AskMeAsksInListOrderBeforeEachFilesWork) {
    const std::vector<std::string> files = sources(6);
    auto job = run("ask", files);
    fs::create_directories(job->out("img"));
    for (const char* name : {"b.png", "d.png", "e.jpg"}) {
        std::ofstream(job->out("img") / name) << "old";
    }
    job->project.OverwriteMode = 1;
    job->dialogs.answers = {Answer::No, Answer::Yes, Answer::No};
    std::vector<bool> oldWhenAsked;
    job->dialogs.onAsk = [&](const MessageRequest& request) {
        const std::string name = request.text.substr(5, 5);
        oldWhenAsked.push_back(fileBytes(job->out("img") / name) == "old");
    };
    JobContext context = job->context(4);
    ImageJob(context);
    EXPECT_EQ(
        job->dialogs.texts(),
        (std::vector<std::string>{"File b.png already exists. Do you want to overwrite it ?",
                                  "File d.png already exists. Do you want to overwrite it ?",
                                  "File e.jpg already exists. Do you want to overwrite it ?"}));
    EXPECT_EQ(oldWhenAsked, (std::vector<bool>{true, true, true}));
    EXPECT_EQ(fileBytes(job->out("img/b.png")), "old");
    EXPECT_TRUE(isJpeg(job->out("img/d.png")));
    EXPECT_EQ(fileBytes(job->out("img/e.jpg")), "old");
    EXPECT_EQ(job->state.imageSizes.widths,
              (std::vector<std::string>{"160", "0", "160", "160", "0", "160"}))
        << "kept files that cannot be read back are recorded in their place";
}

TEST_F(ParallelJobsTest, EscAtTheThirdOfEightLetsTheFilesInFlightFinishWhole) {
    const std::vector<std::string> files = sources(8);
    auto reference = run("one", files);
    JobContext one = reference->context(1);
    ImageJob(one);

    auto job = run("four", files);
    job->window.onStatus = [&](int panel, const std::string& text) {
        if (panel == 1 && text == "File: b.png") {
            job->state.lastKey = kEscapeKey;
        }
    };
    job->dialogs.answers = {Answer::Yes};
    JobContext context = job->context(4);
    ImageJob(context);
    EXPECT_EQ(job->dialogs.texts(), std::vector<std::string>{kCancelQuestion});
    EXPECT_TRUE(job->state.jobCancelled);
    EXPECT_FALSE(job->state.imagesBuilt);
    const SizeLists& all = reference->state.imageSizes;
    EXPECT_EQ(job->state.imageSizes.widths,
              (std::vector<std::string>{all.widths[0], all.widths[1]}));
    EXPECT_EQ(job->state.imageSizes.heights,
              (std::vector<std::string>{all.heights[0], all.heights[1]}));
    const auto written = treeBytes(job->out("img"));
    ASSERT_EQ(written.size(), 2u) << "no file after the third started";
    EXPECT_EQ(written.at("a.jpg"), fileBytes(reference->out("img/a.jpg")));
    EXPECT_EQ(written.at("b.png"), fileBytes(reference->out("img/b.png")));
    EXPECT_EQ(job->window.progress.back(), 0);
}

TEST_F(ParallelJobsTest, AFailingWorkerLeavesTheOthersAlone) {
    std::vector<std::string> files = sources(5);
    std::ofstream(scratch.path() / "src" / "broken.jpg") << "no picture here";
    files.insert(files.begin() + 2, (scratch.path() / "src" / "broken.jpg").string());
    auto reference = run("one", files);
    runBothJobs(*reference, 1);
    auto job = run("four", files);
    runBothJobs(*job, 4);
    EXPECT_TRUE(treeBytes(job->out("")) == treeBytes(reference->out("")));
    EXPECT_EQ(job->state.thumbSizes.widths, reference->state.thumbSizes.widths);
    EXPECT_EQ(job->state.thumbSizes.widths[1], "48");
    EXPECT_EQ(job->state.thumbSizes.widths[3], "48");
    const std::vector<PictureProblem>& failed = job->state.pictureProblems.failed;
    ASSERT_FALSE(failed.empty());
    EXPECT_EQ(failed[0].source, files[2]);
    ASSERT_EQ(failed.size(), reference->state.pictureProblems.failed.size());
    for (std::size_t k = 0; k < failed.size(); ++k) {
        EXPECT_EQ(failed[k].source, reference->state.pictureProblems.failed[k].source);
        EXPECT_EQ(failed[k].reason, reference->state.pictureProblems.failed[k].reason);
    }
    EXPECT_FALSE(fs::exists(job->out("img/broken.jpg"))) << "no empty output is left";
}

TEST_F(ParallelJobsTest, ASourceThatVanishesMidBuildGivesNoOutputAndTheRestGoOn) {
    const std::vector<std::string> files = sources(6);
    auto job = run("vanish", files);
    job->window.onStatus = [&](int panel, const std::string& text) {
        if (panel == 1 && text == "File: a.jpg") {
            fs::remove(files[4]); // after the pruning, before its turn
        }
    };
    JobContext context = job->context(4);
    ImageJob(context);
    EXPECT_TRUE(job->state.imagesBuilt);
    EXPECT_FALSE(fs::exists(job->out("img/e.jpg")));
    EXPECT_EQ(job->state.imageSizes.widths,
              (std::vector<std::string>{"160", "160", "160", "160", "0", "160"}));
    EXPECT_TRUE(isJpeg(job->out("img/f.jpg")));
}

TEST_F(ParallelJobsTest, ReadOnlyOutputsAreReplacedUnderOverwrite) {
    const std::vector<std::string> files = sources(4);
    auto job = run("readonly", files);
    fs::create_directories(job->out("thumbs"));
    for (const char* name : {"tn_a.jpg", "tn_c.jpg"}) {
        std::ofstream(job->out("thumbs") / name) << "old";
        ::chmod((job->out("thumbs") / name).c_str(), 0444);
    }
    JobContext context = job->context(4);
    ThumbJob(context);
    EXPECT_TRUE(isJpeg(job->out("thumbs/tn_a.jpg")));
    EXPECT_TRUE(isJpeg(job->out("thumbs/tn_c.jpg")));
    EXPECT_EQ(job->state.thumbSizes.widths, (std::vector<std::string>{"48", "48", "48", "48"}));
}

} // namespace
} // namespace fotoplex
