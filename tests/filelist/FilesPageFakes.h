#pragma once

#include "base/Error.h"
#include "base/ProgramState.h"
#include "filelist/FileList.h"
#include "filelist/FileListPaths.h"
#include "filelist/FileListView.h"
#include "filelist/PictureChooser.h"
#include "ports/Dialogs.h"
#include "project/TProject.h"
#include "support/StrictDialogs.h"

#include <cstdint>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace fotoplex::testing {

// A list box that does what it is told and nothing more. Deleting a row leaves the old
// selection number standing, as a careless list box might, so the file list must set it.
class FakeListBox : public FileListView {
public:
    void setRows(const std::vector<std::string>& names) override {
        rows = names;
        selection = -1;
    }
    void removeRow(int row) override {
        ASSERT_TRUE(row >= 0 && row < static_cast<int>(rows.size())) << "row " << row;
        rows.erase(rows.begin() + row);
    }
    void swapRows(int first, int second) override {
        ASSERT_TRUE(isRow(first) && isRow(second)) << first << ", " << second;
        std::swap(rows[static_cast<std::size_t>(first)], rows[static_cast<std::size_t>(second)]);
    }
    void select(int row) override {
        EXPECT_TRUE(row == -1 || isRow(row)) << "selecting row " << row << " of " << rows.size();
        selection = row;
    }
    int selected() const override { return selection; }

    bool isRow(int row) const { return row >= 0 && row < static_cast<int>(rows.size()); }

    std::vector<std::string> rows;
    int selection = -1;
};

// Answers the picture dialogs from a script; an empty answer is a cancel.
class ScriptedChooser : public PictureChooser {
public:
    std::vector<std::string> choose(const PictureRequest& request) override {
        requests.push_back(request);
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected picture dialog";
            return {};
        }
        std::vector<std::string> answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<std::vector<std::string>> answers;
    std::vector<PictureRequest> requests;
};

// Records every message box and presses OK; a file dialog fails the test.
using RecordingDialogs = ScriptedDialogs;
inline ScriptedDialogs recordingDialogs() {
    return strictDialogs({}, Unscripted::AlwaysOk);
}

// A folder of its own under the system's temporary folder, removed again at the end.
class TempTree {
public:
    TempTree() {
        std::string pattern = (std::filesystem::temp_directory_path() / "fotoplex-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary folder");
        }
        root_ = pattern;
    }
    ~TempTree() {
        std::error_code error;
        std::filesystem::remove_all(root_, error);
    }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::filesystem::path& root() const { return root_; }

    // Creates a file of the given size (sparse) and its folders; returns its full path.
    std::string file(const std::string& relative, std::uintmax_t size) const {
        const std::filesystem::path path = root_ / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary).put('x');
        std::filesystem::resize_file(path, size);
        return path.string();
    }

private:
    std::filesystem::path root_;
};

// The window around the list: every hook recorded, the preview noting which file it was
// asked to show.
struct FilesPage {
    FakeListBox listBox;
    ScriptedChooser chooser;
    RecordingDialogs dialogs = recordingDialogs();
    ProgramState state;
    TProject project;

    std::map<int, std::string> panels;
    int modifiedCalls = 0;
    int filesPageShown = 0;
    std::vector<std::string> previewed; // the entry shown at each refresh, "" for none
    std::vector<std::string> currentFolders;
    bool folderChangeWorks = true;
    bool previewFails = false;

    FileList list{listBox, chooser, dialogs, state, hooks()};

    FilesPage() {
        project.Files.clear();
        state.imagesBuilt = true;
        state.thumbsBuilt = true;
    }

    FileListHooks hooks() {
        FileListHooks result;
        result.setStatus = [this](int panel, const std::string& text) { panels[panel] = text; };
        result.showFilesPage = [this] { ++filesPageShown; };
        result.refreshPreview = [this] {
            const int row = listBox.selected();
            previewed.push_back(listBox.isRow(row) ? project.Files.at(static_cast<std::size_t>(row))
                                                   : std::string());
            if (previewFails) {
                throw Error("Cannot open file " + previewed.back());
            }
        };
        result.markModified = [this] { ++modifiedCalls; };
        result.setCurrentDirectory = [this](const std::string& folder) {
            currentFolders.push_back(folder);
            return folderChangeWorks;
        };
        return result;
    }

    void select(const std::vector<std::string>& paths) {
        chooser.answers.push_back(paths);
        list.selectFiles(project);
    }
    void add(const std::vector<std::string>& paths) {
        chooser.answers.push_back(paths);
        list.addFiles(project);
    }
    void selectRow(int row) { listBox.selection = row; }

    // Back to "built" so that each step shows its own staleness call.
    void markBuilt() {
        state.imagesBuilt = true;
        state.thumbsBuilt = true;
        modifiedCalls = 0;
    }
    bool stale() const { return !state.imagesBuilt && !state.thumbsBuilt && modifiedCalls > 0; }
};

// Row i shows the file name of entry i, for every i, and the lists are equally long.
inline ::testing::AssertionResult listsParallel(const FilesPage& page) {
    const std::vector<std::string>& files = page.project.Files;
    const std::vector<std::string>& rows = page.listBox.rows;
    if (files.size() != rows.size()) {
        return ::testing::AssertionFailure()
               << files.size() << " entries but " << rows.size() << " rows";
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (fileNameOf(files[i]) != rows[i]) {
            return ::testing::AssertionFailure()
                   << "row " << i << " shows " << rows[i] << " for " << files[i];
        }
    }
    return ::testing::AssertionSuccess();
}

} // namespace fotoplex::testing
