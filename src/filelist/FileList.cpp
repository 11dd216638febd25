#include "filelist/FileList.h"

#include "base/Text.h"
#include "filelist/FileListPaths.h"
#include "filelist/FileListTexts.h"
#include "filelist/PictureDialogs.h"
#include "filelist/SourcePath.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace fotoplex {

namespace {

void requireHook(bool present, const char* name) {
    if (!present) {
        throw std::invalid_argument(std::string("FileList needs the hook ") + name);
    }
}

int lastRow(const std::vector<std::string>& files) {
    return static_cast<int>(files.size()) - 1;
}

bool isRow(const std::vector<std::string>& files, int row) {
    return row >= 0 && row < static_cast<int>(files.size());
}

} // namespace

bool makeProcessCurrentDirectory(const std::string& folder) {
    std::error_code error;
    std::filesystem::current_path(folder, error);
    return !error;
}

FileList::FileList(FileListView& view, PictureChooser& chooser, Dialogs& dialogs,
                   ProgramState& state, FileListHooks hooks, TextCompare compare)
    : view_(view), chooser_(chooser), dialogs_(dialogs), state_(state), hooks_(std::move(hooks)),
      order_(std::move(compare)) {
    requireHook(static_cast<bool>(hooks_.setStatus), "setStatus");
    requireHook(static_cast<bool>(hooks_.showFilesPage), "showFilesPage");
    requireHook(static_cast<bool>(hooks_.refreshPreview), "refreshPreview");
    requireHook(static_cast<bool>(hooks_.markModified), "markModified");
    if (!hooks_.setCurrentDirectory) {
        hooks_.setCurrentDirectory = makeProcessCurrentDirectory;
    }
}

void FileList::selectFiles(TProject& project) {
    takeChosenFiles(project, true);
}

void FileList::addFiles(TProject& project) {
    takeChosenFiles(project, false);
}

void FileList::addGivenFiles(TProject& project, const std::vector<std::string>& paths) {
    takeFiles(project, paths, false);
}

void FileList::takeChosenFiles(TProject& project, bool replace) {
    takeFiles(project, chooser_.choose(selectImagesRequest(project.SourceDir)), replace);
}

void FileList::takeFiles(TProject& project, const std::vector<std::string>& chosen, bool replace) {
    if (chosen.empty()) {
        return;
    }
    // The folder itself is made current, not its stored copy, which a long path would cut.
    const std::string folder = folderOf(chosen.front());
    project.SourceDir = folder;
    hooks_.showFilesPage();
    if (!hooks_.setCurrentDirectory(folder)) {
        dialogs_.ask(MessageRequest{"Warning", cannotFindDirectoryText(folder),
                                    MessageIcon::Warning, MessageButtons::Ok, Answer::Ok});
        return;
    }
    if (replace) {
        project.Files.clear();
        totalSize_ = 0;
    }
    insertEntries(project.Files, chosen, project.ConvertLow);
    for (const std::string& path : chosen) {
        totalSize_ += listedFileSize(path);
    }
    showRows(project.Files);
    view_.select(replace ? 0 : lastRow(project.Files));
    afterListChange(project);
}

void FileList::insertEntries(std::vector<std::string>& files, const std::vector<std::string>& paths,
                             bool convertLow) {
    const auto sortsBefore = [this](const std::string& a, const std::string& b) {
        return order_.before(a, b);
    };
    // On a list in order, putting each new entry before the first one that sorts after it
    // is what a stable sort of the old entries followed by the new ones gives.
    const bool inOrder = sorted_ && std::is_sorted(files.begin(), files.end(), sortsBefore);
    for (const std::string& path : paths) {
        std::string entry = convertLow ? toLowerAscii(path) : path;
        auto place = files.end();
        if (sorted_ && !inOrder) {
            place = std::find_if(files.begin(), files.end(), [&](const std::string& listed) {
                return order_.before(entry, listed);
            });
        }
        files.insert(place, std::move(entry));
    }
    if (inOrder) {
        sortEntries(files);
    }
}

void FileList::sortEntries(std::vector<std::string>& files) const {
    std::stable_sort(
        files.begin(), files.end(),
        [this](const std::string& a, const std::string& b) { return order_.before(a, b); });
}

void FileList::showRows(const std::vector<std::string>& files) {
    std::vector<std::string> names;
    names.reserve(files.size());
    for (const std::string& path : files) {
        names.push_back(fileNameOf(path));
    }
    view_.setRows(names);
}

void FileList::removeSelected(TProject& project) {
    std::vector<std::string>& files = project.Files;
    const int row = view_.selected();
    if (!isRow(files, row)) {
        return;
    }
    // The file's size now, which may differ from the one that was added.
    totalSize_ -= listedFileSize(files[static_cast<std::size_t>(row)]);
    files.erase(files.begin() + row);
    view_.removeRow(row);
    view_.select(files.empty() ? -1 : std::max(row - 1, 0));
    afterListChange(project);
}

void FileList::moveUp(TProject& project) {
    const int row = view_.selected();
    if (isRow(project.Files, row) && row >= 1) {
        exchange(project, row, row - 1);
    }
}

void FileList::moveDown(TProject& project) {
    const int row = view_.selected();
    if (isRow(project.Files, row) && row < lastRow(project.Files)) {
        exchange(project, row, row + 1);
    }
}

void FileList::exchange(TProject& project, int first, int second) {
    std::swap(project.Files[static_cast<std::size_t>(first)],
              project.Files[static_cast<std::size_t>(second)]);
    view_.swapRows(first, second);
    view_.select(second);
    markImagesStale();
}

void FileList::reorder(TProject& project, Reordering how, const MomentOf& momentOf) {
    if (sorted_) {
        return;
    }
    std::vector<std::string>& files = project.Files;
    const std::vector<std::size_t> indices = reorderedIndices(files, how, order_, momentOf);
    if (std::is_sorted(indices.begin(), indices.end())) {
        return;
    }
    const int row = view_.selected();
    std::vector<std::string> reordered;
    reordered.reserve(files.size());
    int selectedAt = -1;
    for (const std::size_t i : indices) {
        if (static_cast<int>(i) == row) {
            selectedAt = static_cast<int>(reordered.size());
        }
        reordered.push_back(files[i]);
    }
    files = std::move(reordered);
    showRows(files);
    view_.select(selectedAt);
    markImagesStale();
}

void FileList::sortedChanged(TProject& project, bool checked) {
    // With nothing listed the lists keep their mode; the check box alone shows the new state.
    if (project.Files.empty()) {
        return;
    }
    sorted_ = checked;
    if (checked) {
        // The selection keeps its row number, which may now hold another file.
        const int row = view_.selected();
        sortEntries(project.Files);
        showRows(project.Files);
        view_.select(isRow(project.Files, row) ? row : -1);
    }
    refreshPreviewThen([&] {
        project.SortedList = checked;
        if (checked) {
            markImagesStale();
        } else {
            hooks_.markModified();
        }
    });
}

void FileList::clearList(TProject& project) {
    project.Files.clear();
    totalSize_ = 0;
    view_.setRows({});
    hooks_.setStatus(kCountPanel, kFilesCountLabel);
    hooks_.setStatus(kSizePanel, kTotalSizeLabel);
    markImagesStale();
}

void FileList::showFiles(TProject& project) {
    sorted_ = project.SortedList;
    if (sorted_) {
        sortEntries(project.Files);
    }
    showRows(project.Files);
}

void FileList::eraseEntry(TProject& project, int index) {
    if (!isRow(project.Files, index)) {
        return;
    }
    const int row = view_.selected();
    project.Files.erase(project.Files.begin() + index);
    view_.removeRow(index);
    if (row == index) {
        view_.select(-1);
    } else {
        view_.select(row > index ? row - 1 : row);
    }
}

void FileList::afterListChange(TProject& project) {
    refreshPreviewThen([&] {
        writeStatus(project);
        markImagesStale();
    });
}

// A preview that fails (a file that cannot be opened) must not leave the list changed but
// the counts and the staleness flags behind: the rest runs first, then the error goes on to
// the error box.
void FileList::refreshPreviewThen(const std::function<void()>& rest) {
    std::exception_ptr previewError;
    try {
        hooks_.refreshPreview();
    } catch (...) {
        previewError = std::current_exception();
    }
    rest();
    if (previewError) {
        std::rethrow_exception(previewError);
    }
}

void FileList::writeStatus(const TProject& project) {
    hooks_.setStatus(kCountPanel, filesCountText(project.Files.size()));
    hooks_.setStatus(kSizePanel, totalSizeText(totalSize_));
}

void FileList::markImagesStale() {
    state_.imagesBuilt = false;
    state_.thumbsBuilt = false;
    hooks_.markModified();
}

} // namespace fotoplex
