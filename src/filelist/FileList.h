#pragma once

#include "base/ProgramState.h"
#include "filelist/FileListView.h"
#include "filelist/FileOrder.h"
#include "filelist/ListReordering.h"
#include "filelist/PictureChooser.h"
#include "ports/Dialogs.h"
#include "project/TProject.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace fotoplex {

// What the list operations need from the window around the list box.
struct FileListHooks {
    // Writes a status-bar panel (kCountPanel, kSizePanel).
    std::function<void(int panel, const std::string& text)> setStatus;
    // When another page is shown: selects the first side-bar item and shows the Files page.
    std::function<void()> showFilesPage;
    // FilesListBoxClick: refreshes the source preview for the selected row. May throw Error.
    std::function<void()> refreshPreview;
    // MarkModified: sets the project's Modified flag and shows the title with its marker.
    std::function<void()> markModified;
    // Makes a folder the process's current one; false when that fails. Left empty, the
    // process's own current folder is changed.
    std::function<bool(const std::string& folder)> setCurrentDirectory;
};

// The process's current folder becomes folder; false when that fails.
bool makeProcessCurrentDirectory(const std::string& folder);

// The Files page's list: the project's Files and the rows of the list box, kept parallel.
// Row i always shows the file name of entry i, so the selected row is an index into Files.
//
// How the two lists stay parallel: there is only one order. Rows are never ordered on their
// own; they are always the file names of Files, in the order of Files. The sorted mode
// orders the entries themselves, by file name without regard to case and, where names tie,
// by full path (FileOrder); equal entries keep the order in which they came. While the mode
// is on, each added file goes in before the first entry that sorts after it, or at the end
// when none does; Move Up and Move Down still move entries, and the list then stays out of
// order until sorting is turned on again. A second copy of a listed path is kept, in Files
// and as a row, sorted or not.
//
// The list keeps TotalSize, the running total of the listed files' sizes, and the sorted
// mode; both last for the run of the program and are not part of the project. The project
// is passed to every operation because New and Open Project replace it as a whole.
class FileList {
public:
    FileList(FileListView& view, PictureChooser& chooser, Dialogs& dialogs, ProgramState& state,
             FileListHooks hooks, TextCompare compare = compareIgnoringCase);

    // SelectFilesBtnClick: replaces the list by the files chosen in the dialog.
    void selectFiles(TProject& project);
    // AddFilesBtnClick: appends the files chosen in the dialog.
    void addFiles(TProject& project);
    // Appends files as Add appends the ones chosen in its dialog (files dropped on the list).
    void addGivenFiles(TProject& project, const std::vector<std::string>& paths);
    // RemoveBtnClick: removes the selected entry.
    void removeSelected(TProject& project);
    // MoveUpBtnClick and MoveDownBtnClick: exchange the selected entry with its neighbour.
    void moveUp(TProject& project);
    void moveDown(TProject& project);
    // Sort by Name, Sort by Date Taken, Reverse Order: reorders both lists once; the selection
    // stays with its entry. Nothing while the sorted mode is on, or when the order stays.
    void reorder(TProject& project, Reordering how, const MomentOf& momentOf = photoMoment);
    // SortedChkClick, with the check box's new state.
    void sortedChanged(TProject& project, bool checked);
    // ClearListBtnClick: empties the list.
    void clearList(TProject& project);

    // ShowProject's part: fills the rows from Files, in the sorted mode the project stores,
    // with no row selected. Stores nothing else and marks nothing.
    void showFiles(TProject& project);
    // Removes one entry from both lists and nothing else (the image jobs drop vanished
    // files this way). The selection stays on its entry; it is lost when that entry goes.
    void eraseEntry(TProject& project, int index);

    std::int64_t totalSize() const { return totalSize_; }
    bool sortedMode() const { return sorted_; }

private:
    void takeChosenFiles(TProject& project, bool replace);
    void takeFiles(TProject& project, const std::vector<std::string>& chosen, bool replace);
    void insertEntries(std::vector<std::string>& files, const std::vector<std::string>& paths,
                       bool convertLow);
    void sortEntries(std::vector<std::string>& files) const;
    void showRows(const std::vector<std::string>& files);
    void exchange(TProject& project, int first, int second);
    void afterListChange(TProject& project);
    void refreshPreviewThen(const std::function<void()>& rest);
    void writeStatus(const TProject& project);
    void markImagesStale();

    FileListView& view_;
    PictureChooser& chooser_;
    Dialogs& dialogs_;
    ProgramState& state_;
    FileListHooks hooks_;
    FileOrder order_;
    std::int64_t totalSize_ = 0;
    bool sorted_ = false;
};

} // namespace fotoplex
