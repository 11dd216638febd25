#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include <gtest/gtest.h>

#include "base/Error.h"
#include "base/FileSizeLimit.h"
#include "engine/RasterImage.h"
#include "production/JobFakes.h"
#include "production/MainThreadQueue.h"
#include "production/TResizeImageThread.h"

namespace fotoplex {
namespace {

namespace fs = std::filesystem;
using jobtest::ScratchFolder;

// Records on which thread the worker's calls run, then runs them through the queue.
class RecordingMainThread : public MainThread {
public:
    void runOnMainThread(const std::function<void()>& call) override {
        queue.runOnMainThread([&] {
            ranOn = std::this_thread::get_id();
            call();
        });
    }
    MainThreadQueue queue;
    std::thread::id ranOn;
};

// An APP1 payload whose IFD0 holds one entry, Orientation (little-endian).
JpegMarker exifWithOrientation(std::uint8_t orientation) {
    return {0xE1, {'E',  'x',  'i', 'f', 0, 0, 'I', 'I', 42,          0, 8, 0, 0, 0, 1, 0,
                   0x12, 0x01, 3,   0,   1, 0, 0,   0,   orientation, 0, 0, 0, 0, 0, 0, 0}};
}

// A grey JPEG of the given size, written with our own engine; stored turned when an
// orientation other than 1 is given.
std::string writeSource(const fs::path& file, int width, int height,
                        std::uint8_t orientation = 1) {
    RasterImage image;
    if (orientation != 1) {
        image.FileParams.Markers.push_back(exifWithOrientation(orientation));
    }
    Picture picture = makePicture(width, height, PixelFormat::Rgb24);
    std::fill(picture.pixels.begin(), picture.pixels.end(), 128);
    image.assignPicture(std::move(picture));
    image.FileParams.Quality = 50;
    image.WriteJpegFile(file.string());
    return file.string();
}

class ResizeWorkerTest : public ::testing::Test {
protected:
    ResizeWorkerTest() : scratch(::testing::UnitTest::GetInstance()->current_test_info()->name()) {}

    // Runs one worker to its end as a job does, keeping the main thread's queue going.
    void run(TResizeImageThread& worker) {
        done.store(false);
        worker.Resume();
        while (!done.load(std::memory_order_acquire)) {
            main.queue.runPending();
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
    }
    std::pair<int, int> sizeOf(const std::string& file) {
        RasterImage reader;
        reader.ReadFileHeader(file);
        return {reader.FileParams.Width, reader.FileParams.Height};
    }
    std::pair<int, int> boxed(int sourceW, int sourceH, int boxW, int boxH, bool keep,
                              std::uint8_t orientation = 1) {
        const std::string source =
            writeSource(scratch.path() / "s.jpg", sourceW, sourceH, orientation);
        const std::string output = (scratch.path() / "o.jpg").string();
        TResizeImageThread worker(main, done);
        worker.Source = source;
        worker.Output = output;
        worker.BoxWidth = boxW;
        worker.BoxHeight = boxH;
        worker.KeepAspect = keep;
        worker.Filter = 9;
        run(worker);
        EXPECT_FALSE(worker.error()) << *worker.error();
        return sizeOf(output);
    }

    ScratchFolder scratch;
    RecordingMainThread main;
    std::atomic<bool> done{false};
};

TEST(BoxRule, TheBoxValuesAloneDecide) {
    EXPECT_EQ(boxRequest(640, 480, true).width, 640);
    EXPECT_EQ(boxRequest(640, 480, true).height, -1);
    EXPECT_EQ(boxRequest(480, 640, true).width, -1);
    EXPECT_EQ(boxRequest(480, 640, true).height, 640);
    EXPECT_EQ(boxRequest(120, 120, true).height, -1) << "a square box sets the width";
    EXPECT_EQ(boxRequest(480, 640, false).width, 480);
    EXPECT_EQ(boxRequest(480, 640, false).height, 640);
}

TEST_F(ResizeWorkerTest, BoxExamples) {
    EXPECT_EQ(boxed(1600, 1200, 640, 480, true), std::make_pair(640, 480));
    EXPECT_EQ(boxed(1200, 1600, 640, 480, true), std::make_pair(640, 853));
    EXPECT_EQ(boxed(1600, 1200, 480, 640, true), std::make_pair(853, 640));
    EXPECT_EQ(boxed(1200, 1600, 480, 640, true), std::make_pair(480, 640));
    EXPECT_EQ(boxed(900, 1200, 120, 120, true), std::make_pair(120, 160));
    EXPECT_EQ(boxed(300, 200, 640, 480, true), std::make_pair(640, 426)) << "enlarged too";
    EXPECT_EQ(boxed(1200, 1600, 640, 480, false), std::make_pair(640, 480));
}

// A picture stored lying with Orientation 6 is boxed as the upright picture it shows: the same
// sizes as a picture stored upright, and the output is upright and says Orientation 1.
TEST_F(ResizeWorkerTest, ATurnedSourceIsBoxedByItsUprightSize) {
    EXPECT_EQ(boxed(4000, 3000, 640, 480, true, 6), boxed(3000, 4000, 640, 480, true));
    EXPECT_EQ(boxed(4000, 3000, 640, 480, true, 6), std::make_pair(640, 853));
    EXPECT_EQ(boxed(4000, 3000, 480, 640, true, 8), std::make_pair(480, 640));
    EXPECT_EQ(boxed(1200, 900, 120, 120, true, 5), std::make_pair(120, 160));
    EXPECT_EQ(boxed(1200, 900, 120, 120, true, 3), std::make_pair(120, 90));
    RasterImage output;
    output.ReadPictureFile((scratch.path() / "o.jpg").string());
    EXPECT_EQ(output.FileParams.Orientation, 1);
    ASSERT_EQ(output.FileParams.Markers.size(), 1u);
    EXPECT_EQ(output.FileParams.Markers[0], exifWithOrientation(1));
}

TEST_F(ResizeWorkerTest, AReadOnlyOutputIsReplaced) {
    const std::string output = writeSource(scratch.path() / "o.jpg", 10, 10);
    fs::permissions(output, fs::perms::owner_read | fs::perms::group_read);
    EXPECT_EQ(boxed(300, 200, 60, 40, true), std::make_pair(60, 40));
    EXPECT_TRUE((fs::status(output).permissions() & fs::perms::owner_write) != fs::perms::none);
    EXPECT_TRUE((fs::status(output).permissions() & fs::perms::group_read) != fs::perms::none)
        << "the other attributes stay";
}

TEST_F(ResizeWorkerTest, AMissingSourceWritesNothingAndStillFinishes) {
    TResizeImageThread worker(main, done);
    worker.Source = (scratch.path() / "gone.jpg").string();
    worker.Output = (scratch.path() / "o.jpg").string();
    worker.BoxWidth = worker.BoxHeight = 100;
    run(worker);
    EXPECT_TRUE(done.load());
    EXPECT_FALSE(fs::exists(worker.Output));
    ASSERT_TRUE(worker.error());
    EXPECT_EQ(*worker.error(), "Cannot open file " + worker.Source + ": No such file or directory");
    EXPECT_EQ(worker.Picture, nullptr);
}

TEST_F(ResizeWorkerTest, ThePictureIsReleasedOnTheMainThread) {
    const std::string source = writeSource(scratch.path() / "s.jpg", 50, 40);
    TResizeImageThread worker(main, done);
    worker.Source = source;
    worker.Output = (scratch.path() / "o.jpg").string();
    worker.BoxWidth = 20;
    worker.BoxHeight = 20;
    run(worker);
    EXPECT_EQ(main.ranOn, std::this_thread::get_id());
    EXPECT_EQ(worker.Picture, nullptr);
    EXPECT_EQ(*worker.Source.c_str(), *source.c_str()) << "the source is only read";
}

TEST_F(ResizeWorkerTest, AZeroBoxLeavesNoOutputAndFilterBytesPastNineAreSafe) {
    const std::string source = writeSource(scratch.path() / "s.jpg", 50, 40);
    TResizeImageThread worker(main, done);
    worker.Source = source;
    worker.Output = (scratch.path() / "o.jpg").string();
    worker.BoxWidth = 0;
    worker.BoxHeight = 0;
    run(worker);
    ASSERT_TRUE(worker.error());
    EXPECT_EQ(*worker.error(), "resized to nothing in a box of 0 x 0 pixels");
    EXPECT_FALSE(fs::exists(worker.Output)) << "no empty file is left for the pages";

    TResizeImageThread odd(main, done);
    odd.Source = source;
    odd.Output = (scratch.path() / "p.jpg").string();
    odd.BoxWidth = 30;
    odd.BoxHeight = 30;
    odd.KeepAspect = true;
    odd.Filter = 0x1234;
    run(odd);
    EXPECT_FALSE(odd.error());
    EXPECT_EQ(sizeOf(odd.Output), std::make_pair(30, 24));
}

TEST_F(ResizeWorkerTest, ASourceThatIsNoPictureCreatesNoOutputAndSaysWhy) {
    const fs::path junk = scratch.path() / "junk.jpg";
    std::ofstream(junk) << "a text file, not a photograph\n";
    TResizeImageThread worker(main, done);
    worker.Source = junk.string();
    worker.Output = (scratch.path() / "o.jpg").string();
    worker.BoxWidth = worker.BoxHeight = 100;
    run(worker);
    ASSERT_TRUE(worker.error());
    EXPECT_EQ(*worker.error(), "not a readable JPEG header");
    EXPECT_FALSE(worker.readInPart());
    EXPECT_FALSE(fs::exists(worker.Output)) << "no 0-byte output";

    TResizeImageThread unknown(main, done);
    unknown.Source = (scratch.path() / "notes.txt").string();
    std::ofstream(unknown.Source) << "text";
    unknown.Output = (scratch.path() / "p.jpg").string();
    unknown.BoxWidth = unknown.BoxHeight = 100;
    run(unknown);
    ASSERT_TRUE(unknown.error());
    EXPECT_EQ(*unknown.error(), "no reader for this kind of file");
    EXPECT_FALSE(fs::exists(unknown.Output));
}

TEST_F(ResizeWorkerTest, ACutSourceIsWrittenAsFarAsReadAndSaysSo) {
    const std::string whole = writeSource(scratch.path() / "whole.jpg", 400, 300);
    const std::string bytes = jobtest::fileBytes(whole);
    const fs::path cut = scratch.path() / "cut.jpg";
    std::ofstream(cut, std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    TResizeImageThread worker(main, done);
    worker.Source = cut.string();
    worker.Output = (scratch.path() / "o.jpg").string();
    worker.BoxWidth = 200;
    worker.BoxHeight = 150;
    run(worker);
    EXPECT_FALSE(worker.error());
    EXPECT_TRUE(worker.readInPart());
    EXPECT_EQ(sizeOf(worker.Output), std::make_pair(200, 150));
}

TEST_F(ResizeWorkerTest, AnOutputThatCannotBeWrittenWholeIsRemoved) {
    RasterImage picture;
    Picture pixels = makePicture(600, 400, PixelFormat::Rgb24);
    for (std::size_t i = 0; i < pixels.pixels.size(); ++i) {
        pixels.pixels[i] = static_cast<std::uint8_t>(i * 7919 % 251); // noise compresses badly
    }
    picture.assignPicture(std::move(pixels));
    const std::string output = (scratch.path() / "o.jpg").string();
    const int status = testing::runWithFileSizeLimit(20'000, [&] {
        try {
            writeJpegOutput(picture, output, 95, false);
        } catch (const Error& e) {
            return std::string(e.what()) == "Cannot write file " + output + ": File too large"
                       ? 0
                       : 2;
        }
        return 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_FALSE(fs::exists(output)) << "no cut JPEG stays behind";
}

TEST(MainThreadQueue, CallsRunOnTheThreadThatEmptiesTheQueue) {
    MainThreadQueue queue;
    std::atomic<bool> finished{false};
    std::thread::id ranOn;
    std::thread worker([&] {
        queue.runOnMainThread([&] { ranOn = std::this_thread::get_id(); });
        finished = true;
    });
    while (!finished) {
        queue.runPending();
        std::this_thread::yield();
    }
    worker.join();
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}

} // namespace
} // namespace fotoplex
