#include "FilesPageFakes.h"
#include "filelist/FileListPaths.h"

#include <gtest/gtest.h>

namespace fotoplex::testing {
namespace {

// The sorted mode on paths that need not exist: sizes play no part here.
class SortedListTest : public ::testing::Test {
protected:
    FilesPage page;

    void SetUp() override { page.project.ConvertLow = false; }

    void turnSorted(bool on) { page.list.sortedChanged(page.project, on); }
};

TEST_F(SortedListTest, TurningSortingOnOrdersBothListsAsOne) {
    page.select({"/b/pics/Zoo.jpg", "/a/apple.JPG", "/c/Mango.png", "/a/banana.jpg"});
    page.selectRow(2);
    page.markBuilt();
    turnSorted(true);

    EXPECT_EQ(page.project.Files, (std::vector<std::string>{"/a/apple.JPG", "/a/banana.jpg",
                                                            "/c/Mango.png", "/b/pics/Zoo.jpg"}));
    EXPECT_TRUE(listsParallel(page));
    // The row number stays selected and may now hold another file: the preview shows it.
    EXPECT_EQ(page.listBox.selected(), 2);
    EXPECT_EQ(page.previewed.back(), "/c/Mango.png");
    EXPECT_TRUE(page.project.SortedList);
    EXPECT_TRUE(page.list.sortedMode());
    EXPECT_TRUE(page.stale());
}

TEST_F(SortedListTest, AdditionsGoToTheirSortedPlacesWithoutRegardToCase) {
    page.select({"/p/b.jpg", "/p/D.jpg"});
    turnSorted(true);
    page.add({"/p/C.jpg", "/p/a.jpg", "/p/e.JPG"});

    EXPECT_EQ(page.listBox.rows,
              (std::vector<std::string>{"a.jpg", "b.jpg", "C.jpg", "D.jpg", "e.JPG"}));
    EXPECT_TRUE(listsParallel(page));
    // Add selects the last row, whichever file that is.
    EXPECT_EQ(page.listBox.selected(), 4);
}

TEST_F(SortedListTest, SelectWhileSortedSortsTheChosenFiles) {
    page.select({"/p/x.jpg"});
    turnSorted(true);
    page.select({"/q/m.jpg", "/q/c.jpg", "/q/t.jpg"});
    EXPECT_EQ(page.listBox.rows, (std::vector<std::string>{"c.jpg", "m.jpg", "t.jpg"}));
    EXPECT_TRUE(listsParallel(page));
    EXPECT_EQ(page.listBox.selected(), 0);
    EXPECT_EQ(page.previewed.back(), "/q/c.jpg");
}

TEST_F(SortedListTest, DuplicatesStayInBothLists) {
    page.select({"/p/same.jpg", "/q/Same.jpg", "/p/other.jpg"});
    turnSorted(true);
    page.add({"/p/same.jpg", "/P/SAME.JPG"});

    ASSERT_EQ(page.project.Files.size(), 5u);
    EXPECT_TRUE(listsParallel(page));
    EXPECT_EQ(page.project.Files[0], "/p/other.jpg");
    // Equal names are ordered by their folders; equal paths keep the order they came in.
    EXPECT_EQ(page.project.Files[1], "/p/same.jpg");
    EXPECT_EQ(page.project.Files[2], "/p/same.jpg");
    EXPECT_EQ(page.project.Files[3], "/P/SAME.JPG");
    EXPECT_EQ(page.project.Files[4], "/q/Same.jpg");
}

TEST_F(SortedListTest, MovedEntriesAndLaterAdditionsKeepTheListsParallel) {
    page.select({"/p/a.jpg", "/p/c.jpg", "/p/e.jpg"});
    turnSorted(true);
    page.selectRow(2);
    page.list.moveUp(page.project);
    page.list.moveUp(page.project);
    ASSERT_EQ(page.listBox.rows, (std::vector<std::string>{"e.jpg", "a.jpg", "c.jpg"}));

    // Out of order now: a new file goes before the first entry that sorts after it.
    page.add({"/p/d.jpg", "/p/b.jpg"});
    EXPECT_EQ(page.listBox.rows,
              (std::vector<std::string>{"b.jpg", "d.jpg", "e.jpg", "a.jpg", "c.jpg"}));
    EXPECT_TRUE(listsParallel(page));
    // Nothing sorts after a second e.jpg: it goes to the end, not beside the first.
    page.add({"/p/e.jpg"});
    EXPECT_EQ(page.listBox.rows,
              (std::vector<std::string>{"b.jpg", "d.jpg", "e.jpg", "a.jpg", "c.jpg", "e.jpg"}));

    // Turning sorting off and on again puts everything in order.
    turnSorted(false);
    turnSorted(true);
    EXPECT_EQ(page.listBox.rows,
              (std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg", "e.jpg"}));
    EXPECT_TRUE(listsParallel(page));
}

TEST_F(SortedListTest, TurningSortingOffKeepsTheOrderAndAppendsAgain) {
    page.select({"/p/c.jpg", "/p/a.jpg"});
    turnSorted(true);
    page.markBuilt();
    turnSorted(false);

    EXPECT_EQ(page.listBox.rows, (std::vector<std::string>{"a.jpg", "c.jpg"}));
    EXPECT_FALSE(page.project.SortedList);
    EXPECT_FALSE(page.list.sortedMode());
    // Only marked modified: the order did not change.
    EXPECT_EQ(page.modifiedCalls, 1);
    EXPECT_TRUE(page.state.imagesBuilt && page.state.thumbsBuilt);

    page.add({"/p/b.jpg"});
    EXPECT_EQ(page.listBox.rows, (std::vector<std::string>{"a.jpg", "c.jpg", "b.jpg"}));
}

TEST_F(SortedListTest, TogglingAnEmptyListChangesNothing) {
    turnSorted(true);
    EXPECT_FALSE(page.list.sortedMode());
    EXPECT_FALSE(page.project.SortedList);
    EXPECT_EQ(page.modifiedCalls, 0);
    EXPECT_TRUE(page.previewed.empty());

    // The check box shows "sorted" but the list is not: files are appended as chosen.
    page.select({"/p/z.jpg", "/p/a.jpg"});
    EXPECT_EQ(page.listBox.rows, (std::vector<std::string>{"z.jpg", "a.jpg"}));
}

TEST_F(SortedListTest, ShowingAProjectAppliesItsSortedMode) {
    page.project.Files = {"/p/z.jpg", "/p/B.jpg", "/p/a.jpg"};
    page.project.SortedList = true;
    page.list.showFiles(page.project);
    EXPECT_EQ(page.listBox.rows, (std::vector<std::string>{"a.jpg", "B.jpg", "z.jpg"}));
    EXPECT_TRUE(listsParallel(page));
    EXPECT_EQ(page.listBox.selected(), -1);
    EXPECT_TRUE(page.list.sortedMode());
    EXPECT_EQ(page.modifiedCalls, 0);
    EXPECT_TRUE(page.state.imagesBuilt);

    page.project.Files = {"/p/z.jpg", "/p/a.jpg"};
    page.project.SortedList = false;
    page.list.showFiles(page.project);
    EXPECT_EQ(page.listBox.rows, (std::vector<std::string>{"z.jpg", "a.jpg"}));
    EXPECT_FALSE(page.list.sortedMode());
}

TEST(FileOrderTest, LocaleCompareDecidesTheOrder) {
    // A comparison that puts names in reverse shows the list uses the one it is given.
    FileOrder reverse([](const std::string& a, const std::string& b) { return b.compare(a); });
    EXPECT_TRUE(reverse.before("/p/b.jpg", "/p/a.jpg"));
    FileOrder plain(compareIgnoringCase);
    EXPECT_TRUE(plain.before("/z/Apple.jpg", "/a/banana.jpg"));
    EXPECT_FALSE(plain.before("/p/APPLE.jpg", "/p/apple.jpg"));
    EXPECT_FALSE(plain.before("/p/apple.jpg", "/p/APPLE.jpg"));
}

} // namespace
} // namespace fotoplex::testing
