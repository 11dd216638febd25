#pragma once

#include "base/ProgramState.h"
#include "ports/Dialogs.h"
#include "ports/JobWindow.h"
#include "production/MainThreadQueue.h"
#include "support/ScriptedDialogs.h"

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace fotoplex::jobtest {

using testing::ScriptedDialogs;
using testing::Unscripted;

// Records everything a job tells the window; processEvents runs the worker's calls.
class FakeJobWindow : public JobWindow {
public:
    explicit FakeJobWindow(MainThreadQueue& queue) : queue_(queue) {}

    void setStatus(int panel, const std::string& text) override {
        statuses.push_back(std::to_string(panel) + ":" + text);
        if (onStatus) {
            onStatus(panel, text);
        }
    }
    void setProgressMaximum(int maximum) override { progressMaximum = maximum; }
    void setProgress(int position) override { progress.push_back(position); }
    void setBusy(bool busy) override { busyCalls.push_back(busy); }
    void processEvents() override {
        ++eventRounds;
        queue_.runPending();
    }
    void removeFileRow(int index) override { removedRows.push_back(index); }
    void lockWindow() override {
        ++locks;
        locked = true;
    }
    void unlockWindow() override {
        ++unlocks;
        locked = false;
    }
    void showBuildPage() override { ++buildPageShown; }
    void openDocument(const std::string& path) override { opened.push_back(path); }

    std::vector<std::string> statuses;
    std::function<void(int, const std::string&)> onStatus;
    int progressMaximum = -99;
    std::vector<int> progress;
    std::vector<bool> busyCalls;
    int eventRounds = 0;
    std::vector<int> removedRows;
    int locks = 0;
    int unlocks = 0;
    bool locked = false;
    int buildPageShown = 0;
    std::vector<std::string> opened;

private:
    MainThreadQueue& queue_;
};

inline std::string fileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline bool isJpeg(const std::filesystem::path& file) {
    const std::string bytes = fileBytes(file);
    return bytes.size() > 3 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
           static_cast<unsigned char>(bytes[1]) == 0xD8;
}

// A fresh folder under the temporary folder, removed again at the end of the test.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name)
        : path_(std::filesystem::temp_directory_path() /
                ("fotoplex-" + name + "-" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string() + "/"; }

private:
    std::filesystem::path path_;
};

} // namespace fotoplex::jobtest
