#include "FilesPageFakes.h"
#include "base/Error.h"
#include "base/Text.h"
#include "filelist/FileListTexts.h"
#include "filelist/PictureDialogs.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fotoplex::testing {
namespace {

class FileListTest : public ::testing::Test {
protected:
    TempTree tree;
    FilesPage page;

    // Three files of one folder with capitals in the folder and the names.
    std::vector<std::string> holiday() const {
        return {tree.file("Holiday Pics/IMG_0001.JPG", 1000),
                tree.file("Holiday Pics/Beach.Png", 2000),
                tree.file("Holiday Pics/sunset.jpg", 1231567)};
    }
    std::string folder() const { return (tree.root() / "Holiday Pics").string(); }
};

TEST_F(FileListTest, SelectWithConvertLowStoresLowerCasedPathsAndNames) {
    page.project.ConvertLow = true;
    const std::vector<std::string> chosen = holiday();
    page.select(chosen);

    ASSERT_EQ(page.project.Files.size(), 3u);
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        EXPECT_EQ(page.project.Files[i], toLowerAscii(chosen[i]));
    }
    EXPECT_EQ(page.listBox.rows,
              (std::vector<std::string>{"img_0001.jpg", "beach.png", "sunset.jpg"}));
    EXPECT_EQ(page.listBox.selected(), 0);
    EXPECT_EQ(page.previewed, std::vector<std::string>{page.project.Files[0]});
    EXPECT_EQ(page.panels[kCountPanel], "Files Count: 3");
    EXPECT_EQ(page.panels[kSizePanel], "Total Size: 1234567 bytes (1205 Kbytes)");
    EXPECT_EQ(page.list.totalSize(), 1234567);
    EXPECT_TRUE(page.stale());
    // The folder keeps its letter case: it comes from the dialog, not from the list.
    EXPECT_EQ(page.project.SourceDir.str(), folder());
    EXPECT_EQ(page.currentFolders, std::vector<std::string>{folder()});
    EXPECT_EQ(page.filesPageShown, 1);
}

TEST_F(FileListTest, SelectOpensTheMultiSelectionDialogInSourceDir) {
    page.project.SourceDir = "/srv/photos";
    page.select({});
    ASSERT_EQ(page.chooser.requests.size(), 1u);
    const PictureRequest& request = page.chooser.requests[0];
    EXPECT_EQ(request.title, "Select Images...");
    EXPECT_EQ(request.folder, "/srv/photos");
    EXPECT_TRUE(request.multiSelect);
    EXPECT_EQ(request.filters.size(), 10u);
}

TEST_F(FileListTest, SelectWithoutConvertLowKeepsTheCase) {
    page.project.ConvertLow = false;
    const std::vector<std::string> chosen = holiday();
    page.select(chosen);
    EXPECT_EQ(page.project.Files, chosen);
    EXPECT_EQ(page.listBox.rows,
              (std::vector<std::string>{"IMG_0001.JPG", "Beach.Png", "sunset.jpg"}));
}

TEST_F(FileListTest, LowerCasingTouchesOnlyAToZ) {
    page.project.ConvertLow = true;
    const std::string path = tree.file("\xC3\x84RGER/\xC3\x96l \xC3\x89T\xC3\x89.JPG", 10);
    page.select({path});
    const std::string& stored = page.project.Files.at(0);
    // The UTF-8 capitals stay as they are; only the ASCII letters change.
    const std::string tail = "/\xC3\x84rger/\xC3\x96l \xC3\x89t\xC3\x89.jpg";
    ASSERT_GE(stored.size(), tail.size());
    EXPECT_EQ(stored.substr(stored.size() - tail.size()), tail);
    EXPECT_EQ(page.list.totalSize(), 10);
    // The lower-cased path still finds the file, so removing it takes its size away.
    page.list.removeSelected(page.project);
    EXPECT_EQ(page.list.totalSize(), 0);
}

TEST_F(FileListTest, CancelledDialogChangesNothing) {
    page.select(holiday());
    page.markBuilt();
    const std::vector<std::string> before = page.project.Files;
    const std::string sourceDir = page.project.SourceDir;
    page.panels.clear();

    page.select({});
    page.add({});

    EXPECT_EQ(page.project.Files, before);
    EXPECT_EQ(page.project.SourceDir.str(), sourceDir);
    EXPECT_TRUE(page.panels.empty());
    EXPECT_TRUE(page.state.imagesBuilt && page.state.thumbsBuilt);
    EXPECT_EQ(page.modifiedCalls, 0);
}

TEST_F(FileListTest, AddAfterSelectAppendsAndSelectsTheLastRow) {
    const std::vector<std::string> first = holiday();
    page.select(first);
    page.markBuilt();
    const std::string more = tree.file("Other/more.jpg", 433);
    page.add({more, first[0]});

    ASSERT_EQ(page.project.Files.size(), 5u);
    EXPECT_EQ(page.project.Files[3], toLowerAscii(more));
    // The same file may be listed twice.
    EXPECT_EQ(page.project.Files[4], page.project.Files[0]);
    EXPECT_TRUE(listsParallel(page));
    EXPECT_EQ(page.listBox.selected(), 4);
    EXPECT_EQ(page.previewed.back(), page.project.Files[4]);
    EXPECT_EQ(page.list.totalSize(), 1234567 + 433 + 1000);
    EXPECT_EQ(page.panels[kCountPanel], "Files Count: 5");
    EXPECT_EQ(page.panels[kSizePanel], "Total Size: 1236000 bytes (1207 Kbytes)");
    EXPECT_TRUE(page.stale());
    EXPECT_EQ(page.project.SourceDir.str(), (tree.root() / "Other").string());
}

TEST_F(FileListTest, SelectReplacesTheListAndStartsTheTotalAfresh) {
    page.select(holiday());
    page.selectRow(2);
    const std::string other = tree.file("Other/only.gif", 4096);
    page.select({other});
    EXPECT_EQ(page.project.Files, std::vector<std::string>{toLowerAscii(other)});
    EXPECT_TRUE(listsParallel(page));
    EXPECT_EQ(page.listBox.selected(), 0);
    EXPECT_EQ(page.list.totalSize(), 4096);
    EXPECT_EQ(page.panels[kSizePanel], "Total Size: 4096 bytes (4 Kbytes)");
}

TEST_F(FileListTest, FolderThatCannotBeMadeCurrentLeavesTheListAlone) {
    page.select(holiday());
    page.markBuilt();
    const std::vector<std::string> before = page.project.Files;
    const std::int64_t total = page.list.totalSize();
    page.panels.clear();
    page.folderChangeWorks = false;

    page.select({tree.file("Gone/x.jpg", 5)});

    ASSERT_EQ(page.dialogs.asked.size(), 1u);
    const MessageRequest& message = page.dialogs.asked[0];
    EXPECT_EQ(message.text, "Cannot find directory " + (tree.root() / "Gone").string() + " .");
    EXPECT_EQ(message.icon, MessageIcon::Warning);
    EXPECT_EQ(message.buttons, MessageButtons::Ok);
    EXPECT_EQ(page.project.Files, before);
    EXPECT_EQ(page.list.totalSize(), total);
    EXPECT_TRUE(page.panels.empty());
    EXPECT_EQ(page.modifiedCalls, 0);
    // The dialog's folder is kept for next time.
    EXPECT_EQ(page.project.SourceDir.str(), (tree.root() / "Gone").string());
}

TEST_F(FileListTest, RemovingRowZeroOfThreeSelectsTheNewRowZero) {
    const std::vector<std::string> chosen = holiday();
    page.select(chosen);
    page.markBuilt();
    page.selectRow(0);
    page.list.removeSelected(page.project);

    EXPECT_EQ(page.project.Files,
              (std::vector<std::string>{toLowerAscii(chosen[1]), toLowerAscii(chosen[2])}));
    EXPECT_TRUE(listsParallel(page));
    EXPECT_EQ(page.listBox.selected(), 0);
    EXPECT_EQ(page.previewed.back(), toLowerAscii(chosen[1]));
    EXPECT_EQ(page.list.totalSize(), 1234567 - 1000);
    EXPECT_EQ(page.panels[kCountPanel], "Files Count: 2");
    EXPECT_TRUE(page.stale());
}

TEST_F(FileListTest, RemovingRowTwoOfThreeSelectsRowOne) {
    page.select(holiday());
    page.selectRow(2);
    page.list.removeSelected(page.project);
    EXPECT_EQ(page.project.Files.size(), 2u);
    EXPECT_TRUE(listsParallel(page));
    EXPECT_EQ(page.listBox.selected(), 1);
    EXPECT_EQ(page.list.totalSize(), 3000);
}

TEST_F(FileListTest, RemovingTheOnlyRowLeavesNoSelection) {
    page.select({tree.file("one.jpg", 77)});
    page.list.removeSelected(page.project);
    EXPECT_TRUE(page.project.Files.empty());
    EXPECT_TRUE(page.listBox.rows.empty());
    EXPECT_EQ(page.listBox.selected(), -1);
    EXPECT_EQ(page.previewed.back(), "");
    EXPECT_EQ(page.panels[kCountPanel], "Files Count: 0");
    EXPECT_EQ(page.panels[kSizePanel], "Total Size: 0 bytes (0 Kbytes)");
}

TEST_F(FileListTest, RemoveWithoutSelectionDoesNothing) {
    page.select(holiday());
    page.markBuilt();
    page.selectRow(-1);
    page.list.removeSelected(page.project);
    EXPECT_EQ(page.project.Files.size(), 3u);
    EXPECT_EQ(page.modifiedCalls, 0);

    FilesPage empty;
    empty.list.removeSelected(empty.project);
    EXPECT_EQ(empty.modifiedCalls, 0);
    EXPECT_TRUE(empty.previewed.empty());
}

TEST_F(FileListTest, RemoveSubtractsTheSizeTheFileHasNow) {
    const std::vector<std::string> chosen = holiday();
    page.select(chosen);
    // One file vanished, one grew since they were listed.
    std::filesystem::remove(chosen[0]);
    std::filesystem::resize_file(chosen[1], 5000);

    page.selectRow(0);
    page.list.removeSelected(page.project);
    EXPECT_EQ(page.list.totalSize(), 1234567);
    page.selectRow(0);
    page.list.removeSelected(page.project);
    EXPECT_EQ(page.list.totalSize(), 1234567 - 5000);
    EXPECT_EQ(page.panels[kSizePanel], "Total Size: 1229567 bytes (1200 Kbytes)");
}

TEST_F(FileListTest, MovesAtTheEndsDoNothing) {
    page.select(holiday());
    const std::vector<std::string> before = page.project.Files;
    page.markBuilt();

    page.selectRow(0);
    page.list.moveUp(page.project);
    page.selectRow(2);
    page.list.moveDown(page.project);
    page.selectRow(-1);
    page.list.moveUp(page.project);
    page.list.moveDown(page.project);

    EXPECT_EQ(page.project.Files, before);
    EXPECT_TRUE(listsParallel(page));
    EXPECT_EQ(page.modifiedCalls, 0);
    EXPECT_TRUE(page.state.imagesBuilt);
}

TEST_F(FileListTest, MoveUpAndDownCarryTheSelectionInBothLists) {
    page.select(holiday());
    page.add({tree.file("Holiday Pics/zebra.jpg", 1)});
    const std::vector<std::string> before = page.project.Files;
    page.markBuilt();

    page.selectRow(3);
    page.list.moveUp(page.project);
    EXPECT_EQ(page.listBox.selected(), 2);
    EXPECT_EQ(page.project.Files[2], before[3]);
    EXPECT_EQ(page.project.Files[3], before[2]);
    EXPECT_TRUE(listsParallel(page));
    EXPECT_TRUE(page.stale());

    page.markBuilt();
    page.selectRow(0);
    page.list.moveDown(page.project);
    EXPECT_EQ(page.listBox.selected(), 1);
    EXPECT_EQ(page.project.Files[1], before[0]);
    EXPECT_TRUE(listsParallel(page));
    EXPECT_TRUE(page.stale());
}

TEST_F(FileListTest, ClearThenAddCountsOnlyTheNewFiles) {
    page.select(holiday());
    page.markBuilt();
    const std::size_t refreshes = page.previewed.size();
    page.list.clearList(page.project);

    EXPECT_TRUE(page.project.Files.empty());
    EXPECT_TRUE(page.listBox.rows.empty());
    EXPECT_EQ(page.panels[kCountPanel], "Files Count: ");
    EXPECT_EQ(page.panels[kSizePanel], "Total Size: ");
    EXPECT_EQ(page.list.totalSize(), 0);
    EXPECT_TRUE(page.stale());
    // The preview keeps its last picture.
    EXPECT_EQ(page.previewed.size(), refreshes);

    page.add({tree.file("new/a.jpg", 2048), tree.file("new/b.jpg", 1024)});
    EXPECT_EQ(page.panels[kSizePanel], "Total Size: 3072 bytes (3 Kbytes)");
    EXPECT_EQ(page.listBox.selected(), 1);
}

TEST_F(FileListTest, FailingPreviewStillCountsAndMarksTheListStale) {
    page.previewFails = true;
    EXPECT_THROW(page.select(holiday()), Error);
    EXPECT_EQ(page.project.Files.size(), 3u);
    EXPECT_EQ(page.panels[kCountPanel], "Files Count: 3");
    EXPECT_TRUE(page.stale());
}

TEST_F(FileListTest, EraseEntryKeepsTheSelectionOnItsFile) {
    page.select(holiday());
    const std::string third = page.project.Files[2];
    page.selectRow(2);
    page.list.eraseEntry(page.project, 0);
    EXPECT_TRUE(listsParallel(page));
    EXPECT_EQ(page.listBox.selected(), 1);
    EXPECT_EQ(page.project.Files[1], third);
    page.list.eraseEntry(page.project, 1);
    EXPECT_EQ(page.listBox.selected(), -1);
    page.list.eraseEntry(page.project, 7);
    EXPECT_EQ(page.project.Files.size(), 1u);
}

TEST(FileListHooksTest, MissingHookIsRefused) {
    FakeListBox listBox;
    ScriptedChooser chooser;
    RecordingDialogs dialogs = recordingDialogs();
    ProgramState state;
    FileListHooks hooks;
    hooks.setStatus = [](int, const std::string&) {};
    hooks.showFilesPage = [] {};
    hooks.refreshPreview = [] {};
    EXPECT_THROW(FileList(listBox, chooser, dialogs, state, hooks), std::invalid_argument);
    hooks.markModified = [] {};
    EXPECT_NO_THROW(FileList(listBox, chooser, dialogs, state, hooks));
}

TEST(FileListTextsTest, TotalSizeTruncatesKilobytesTowardZero) {
    EXPECT_EQ(totalSizeText(1023), "Total Size: 1023 bytes (0 Kbytes)");
    EXPECT_EQ(totalSizeText(5'000'000'000), "Total Size: 5000000000 bytes (4882812 Kbytes)");
    // A total that drifted below zero.
    EXPECT_EQ(totalSizeText(-1500), "Total Size: -1500 bytes (-1 Kbytes)");
}

} // namespace
} // namespace fotoplex::testing
