// The build record: a source is known in the state it had when it was read, by size, times
// and inode; the record names no path of the user's.
#include "production/BuildRecord.h"

#include "engine/RasterImage.h"
#include "production/ImageJobs.h"
#include "production/JobFakes.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <utility>

namespace fotoplex {
namespace {

namespace fs = std::filesystem;
using jobtest::FakeJobWindow;
using jobtest::fileBytes;
using jobtest::ScratchFolder;
using jobtest::ScriptedDialogs;
using jobtest::Unscripted;

const fs::path kSamples = fs::path(FOTOPLEX_SOURCE_DIR) / "resources" / "samples";

// The main-thread port with a hook: the worker calls it once it has read and written its
// picture, before the job has the file back.
class HookedMainThread : public MainThread {
public:
    explicit HookedMainThread(MainThreadQueue& queue) : queue_(queue) {}
    void runOnMainThread(const std::function<void()>& call) override {
        if (auto hook = std::exchange(afterWork, nullptr)) {
            hook();
        }
        queue_.runOnMainThread(call);
    }
    std::function<void()> afterWork;

private:
    MainThreadQueue& queue_;
};

class BuildRecordTest : public ::testing::Test {
protected:
    BuildRecordTest()
        : scratch(::testing::UnitTest::GetInstance()->current_test_info()->name()), window(queue),
          mainThread(queue) {
        fs::create_directories(scratch.path() / "photos");
        fs::create_directories(scratch.path() / "gallery");
        project.TargetDir = (scratch.path() / "gallery").string() + "/";
        project.ThumbWidth = 40;
        project.ThumbHeight = 40;
        project.ThumbResizeMethod = 1;
        for (const char* name : {"rocket.jpg", "coffee.png"}) {
            fs::copy_file(kSamples / name, photo(name));
            project.Files.push_back(photo(name).string());
        }
    }

    // Runs the thumbnail job; returns how many thumbnails it made.
    int thumbs(int workers = 1) {
        state.picturesMade = 0;
        state.picturesUpToDate = 0;
        JobContext job{project,
                       state,
                       window,
                       dialogs,
                       mainThread,
                       sizeReader,
                       [] { return true; },
                       [this] { project.Modified = true; },
                       workers};
        ThumbJob(job);
        return state.picturesMade;
    }

    fs::path photo(const std::string& name) const { return scratch.path() / "photos" / name; }
    fs::path out(const std::string& name) const { return scratch.path() / "gallery" / name; }

    // Gives a JFIF file other bytes of the same size (another density) and its old
    // modification time, either in place or as a new file renamed over it.
    void changeKeepingSizeAndTime(const fs::path& path, bool inPlace) {
        const auto time = fs::last_write_time(path);
        std::string bytes = fileBytes(path);
        ASSERT_EQ(bytes.substr(6, 4), "JFIF");
        bytes[15] = static_cast<char>(bytes[15] ^ 0x01);
        std::this_thread::sleep_for(std::chrono::milliseconds(20)); // a later change time
        const fs::path written = inPlace ? path : fs::path(path.string() + ".new");
        std::ofstream(written, std::ios::binary | std::ios::trunc) << bytes;
        fs::last_write_time(written, time);
        if (!inPlace) {
            fs::rename(written, path);
        }
        ASSERT_EQ(fs::file_size(path), bytes.size());
        ASSERT_EQ(fs::last_write_time(path), time);
    }

    ScratchFolder scratch;
    TProject project;
    ProgramState state;
    MainThreadQueue queue;
    FakeJobWindow window;
    HookedMainThread mainThread;
    ScriptedDialogs dialogs{Unscripted::Fail};
    RasterImage sizeReader;
};

TEST_F(BuildRecordTest, ASourceReplacedWhileItsPictureWasMadeIsMadeAgain) {
    for (const int workers : {1, 2}) {
        fs::remove_all(out(""));
        fs::create_directories(out(""));
        ASSERT_EQ(thumbs(workers), 2);
        // Between the worker's reading and the job's taking the file back, the photo is
        // replaced by another.
        mainThread.afterWork = [&] {
            const fs::path other = photo("other.tmp");
            fs::copy_file(kSamples / "hubble_deep_field.jpg", other,
                          fs::copy_options::overwrite_existing);
            fs::rename(other, photo("rocket.jpg"));
        };
        // A touched photo, so that this run makes its thumbnail again.
        fs::last_write_time(photo("rocket.jpg"),
                            fs::last_write_time(photo("rocket.jpg")) + std::chrono::seconds(2));
        project.Files = {photo("rocket.jpg").string()};
        const std::string before = fileBytes(out("thumbs/tn_rocket.jpg"));
        EXPECT_EQ(thumbs(workers), 1) << workers << " workers";
        ASSERT_FALSE(mainThread.afterWork) << "the hook ran";
        const std::string fromOld = fileBytes(out("thumbs/tn_rocket.jpg"));
        EXPECT_EQ(fromOld, before) << "the worker read the old photo";
        EXPECT_EQ(thumbs(workers), 1) << "the new photo is not what the thumbnail shows";
        EXPECT_NE(fileBytes(out("thumbs/tn_rocket.jpg")), fromOld);
        EXPECT_EQ(thumbs(workers), 0) << "now it is";
        fs::copy_file(kSamples / "rocket.jpg", photo("rocket.jpg"),
                      fs::copy_options::overwrite_existing);
        project.Files = {photo("rocket.jpg").string(), photo("coffee.png").string()};
    }
}

TEST_F(BuildRecordTest, ASourceChangedWithItsSizeAndTimeKeptIsMadeAgain) {
    ASSERT_EQ(thumbs(), 2);
    ASSERT_EQ(thumbs(), 0);
    changeKeepingSizeAndTime(photo("rocket.jpg"), false); // another inode
    EXPECT_EQ(thumbs(), 1);
    EXPECT_EQ(thumbs(), 0);
    changeKeepingSizeAndTime(photo("rocket.jpg"), true); // the same inode, a new change time
    EXPECT_EQ(thumbs(), 1);
    EXPECT_EQ(thumbs(), 0);
}

TEST_F(BuildRecordTest, TheRecordNamesNoPath) {
    project.ResizeImages = false;
    ASSERT_EQ(thumbs(), 2);
    JobContext job{project, state, window, dialogs, mainThread, sizeReader, [] { return true; },
                   [] {},   1};
    ImageJob(job);
    const std::string record = fileBytes(out(BuildRecord::kFileName));
    ASSERT_FALSE(record.empty());
    std::vector<std::string> secrets{
        scratch.path().string(), "photos", "rocket", "coffee", "tn_", "img/", "thumbs/"};
    if (const char* home = std::getenv("HOME"); home != nullptr && std::string(home).size() > 1) {
        secrets.push_back(home);
    }
    for (const std::string& secret : secrets) {
        EXPECT_EQ(record.find(secret), std::string::npos) << secret << " in\n" << record;
    }
    EXPECT_EQ(thumbs(), 0) << "and it still knows the thumbnails";
    state.picturesUpToDate = 0;
    ImageJob(job);
    EXPECT_EQ(state.picturesUpToDate, 2) << "and the copies";
}

TEST_F(BuildRecordTest, TwoGalleriesHideOnePathDifferently) {
    ASSERT_EQ(thumbs(), 2);
    const std::string first = fileBytes(out(BuildRecord::kFileName));
    fs::rename(out(""), scratch.path() / "first");
    fs::create_directories(out(""));
    ASSERT_EQ(thumbs(), 2);
    const std::string second = fileBytes(out(BuildRecord::kFileName));
    // The digest lines: the first field of every line after the salt.
    const auto digests = [](const std::string& text) {
        std::vector<std::string> found;
        std::size_t at = text.find("salt\t");
        while ((at = text.find('\n', at)) != std::string::npos && ++at < text.size()) {
            found.push_back(text.substr(at, text.find('\t', at) - at));
        }
        return found;
    };
    const auto a = digests(first);
    ASSERT_GE(a.size(), 2u);
    for (const std::string& digest : a) {
        if (digest != "end") {
            EXPECT_EQ(second.find(digest), std::string::npos) << digest;
        }
    }
}

TEST(BuildRecordFile, AStampIsTakenOfRegularFilesOnly) {
    ScratchFolder folder("record-stamps");
    EXPECT_FALSE(FileStamp::of(folder.str()).exists());
    EXPECT_FALSE(FileStamp::of(folder.str() + "missing").exists());
    const std::string file = folder.str() + "a";
    std::ofstream(file) << "abc";
    const FileStamp stamp = FileStamp::of(file);
    EXPECT_EQ(stamp.size, 3);
    EXPECT_NE(stamp.inode, 0u);
    EXPECT_EQ(FileStamp::of(file), stamp);
}

} // namespace
} // namespace fotoplex
