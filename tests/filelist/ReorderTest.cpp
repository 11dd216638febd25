// The file list's one-off orders (Sort by Name, Sort by Date Taken, Reverse Order) and the
// files given to it from outside a dialog (dropped on the list).
#include "FilesPageFakes.h"
#include "filelist/ListReordering.h"

#include <chrono>
#include <gtest/gtest.h>

namespace fotoplex::testing {
namespace {

using Files = std::vector<std::string>;

class ReorderTest : public ::testing::Test {
protected:
    FilesPage page;
    std::map<std::string, std::int64_t> taken; // scripted moments, by path

    void SetUp() override { page.project.ConvertLow = false; }

    void reorder(Reordering how) {
        page.list.reorder(page.project, how, [this](const std::string& path) {
            return Moment{taken.at(path), 0};
        });
    }
};

TEST_F(ReorderTest, ByNameOrdersAsTheSortedListDoesAndTheSelectionFollowsItsEntry) {
    page.select({"/b/pics/Zoo.jpg", "/a/apple.JPG", "/c/Mango.png", "/b/Apple.jpg"});
    page.selectRow(2); // Mango
    page.markBuilt();
    reorder(Reordering::ByName);

    EXPECT_EQ(page.project.Files,
              (Files{"/a/apple.JPG", "/b/Apple.jpg", "/c/Mango.png", "/b/pics/Zoo.jpg"}));
    EXPECT_TRUE(listsParallel(page));
    EXPECT_EQ(page.listBox.selected(), 2);
    EXPECT_EQ(page.project.Files[2], "/c/Mango.png");
    EXPECT_TRUE(page.stale());
    // A one-off order: the sorted mode stays off, later additions are appended.
    EXPECT_FALSE(page.project.SortedList);
    page.add({"/a/aaa.jpg"});
    EXPECT_EQ(page.project.Files.back(), "/a/aaa.jpg");
}

TEST_F(ReorderTest, ByDateTakenIsStableForEqualMoments) {
    page.select({"/p/c.jpg", "/p/tie2.jpg", "/p/a.jpg", "/p/tie1.jpg", "/p/b.jpg"});
    taken = {{"/p/a.jpg", 100},
             {"/p/b.jpg", 200},
             {"/p/c.jpg", 300},
             {"/p/tie2.jpg", 150},
             {"/p/tie1.jpg", 150}};
    page.selectRow(0); // c
    page.markBuilt();
    reorder(Reordering::ByDateTaken);

    EXPECT_EQ(page.project.Files,
              (Files{"/p/a.jpg", "/p/tie2.jpg", "/p/tie1.jpg", "/p/b.jpg", "/p/c.jpg"}));
    EXPECT_TRUE(listsParallel(page));
    EXPECT_EQ(page.listBox.selected(), 4);
    EXPECT_TRUE(page.stale());
}

TEST_F(ReorderTest, ReverseTwiceGivesTheListBack) {
    const Files files{"/p/1.jpg", "/p/2.jpg", "/p/3.jpg", "/p/2.jpg"};
    page.select(files);
    page.selectRow(1);
    reorder(Reordering::Reverse);
    EXPECT_EQ(page.project.Files, (Files{"/p/2.jpg", "/p/3.jpg", "/p/2.jpg", "/p/1.jpg"}));
    EXPECT_EQ(page.listBox.selected(), 2); // the same entry, not the other copy of its path
    reorder(Reordering::Reverse);
    EXPECT_EQ(page.project.Files, files);
    EXPECT_EQ(page.listBox.selected(), 1);
    EXPECT_TRUE(listsParallel(page));
}

TEST_F(ReorderTest, AnOrderThatStaysMarksNothing) {
    page.select({"/p/a.jpg", "/p/b.jpg"});
    taken = {{"/p/a.jpg", 1}, {"/p/b.jpg", 1}};
    page.markBuilt();
    reorder(Reordering::ByName);
    reorder(Reordering::ByDateTaken);
    EXPECT_EQ(page.modifiedCalls, 0);
    EXPECT_TRUE(page.state.imagesBuilt);

    page.list.clearList(page.project);
    page.markBuilt();
    reorder(Reordering::Reverse);
    page.select({"/p/only.jpg"});
    page.markBuilt();
    reorder(Reordering::Reverse);
    EXPECT_EQ(page.modifiedCalls, 0);
}

TEST_F(ReorderTest, NothingWhileTheListIsSorted) {
    page.select({"/p/b.jpg", "/p/a.jpg"});
    page.list.sortedChanged(page.project, true);
    page.markBuilt();
    reorder(Reordering::Reverse);
    EXPECT_EQ(page.project.Files, (Files{"/p/a.jpg", "/p/b.jpg"}));
    EXPECT_EQ(page.modifiedCalls, 0);
}

TEST_F(ReorderTest, GivenFilesAreAddedAsAddAddsThem) {
    TempTree tree;
    const std::string first = tree.file("Drop/IMG_1.JPG", 1000);
    const std::string second = tree.file("Drop/IMG_2.JPG", 24);
    page.project.ConvertLow = true;
    page.select({tree.file("old.jpg", 100)});
    page.markBuilt();
    page.list.addGivenFiles(page.project, {first, second});

    EXPECT_EQ(page.project.Files.size(), 3u);
    EXPECT_EQ(page.project.Files[1], toLowerAscii(first));
    EXPECT_EQ(page.listBox.rows[2], "img_2.jpg");
    EXPECT_EQ(page.project.SourceDir.str(), (tree.root() / "Drop").string());
    EXPECT_EQ(page.listBox.selected(), 2);
    EXPECT_EQ(page.panels[0], "Files Count: 3");
    EXPECT_EQ(page.panels[1], "Total Size: 1124 bytes (1 Kbytes)");
    EXPECT_TRUE(page.stale());
    EXPECT_EQ(page.filesPageShown, 2);
    EXPECT_TRUE(page.chooser.requests.size() == 1); // no dialog for the given files

    page.markBuilt();
    page.list.addGivenFiles(page.project, {});
    EXPECT_EQ(page.modifiedCalls, 0);
}

// The real moments: the header's date, else the file's modification time.
class PhotoMomentTest : public ::testing::Test {
protected:
    TempTree tree;

    std::string copy(const std::string& fixture, const std::string& name) {
        const std::filesystem::path target = tree.root() / name;
        std::filesystem::copy_file(std::string(FOTOPLEX_TEST_DATA) + "/dates/" + fixture, target);
        return target.string();
    }
    static void setModified(const std::string& path, std::int64_t seconds) {
        const std::chrono::sys_seconds when{std::chrono::seconds(seconds)};
        std::filesystem::last_write_time(path, std::chrono::file_clock::from_sys(when));
    }
};

TEST_F(PhotoMomentTest, MixedFormatsOrderByWhenTheyWereTaken) {
    const std::string heic = copy("original.heic", "a.heic");         // May 5 10:00 UTC
    const std::string webp = copy("original.webp", "b.webp");         // May 4 10:00 UTC
    const std::string noDate = copy("no-date.jpg", "c.jpg");          // its file time
    const std::string offset = copy("original-offset.jpg", "d.jpg");  // May 1 12:00 +02:00
    const std::string digitized = copy("digitized.jpg", "e.jpg");     // May 1 10:30 +00:00
    const std::string early = copy("big-endian.jpg", "f.jpg");        // May 1 08:00 +00:00
    const std::string tie1 = copy("original-offset.jpg", "tie1.jpg"); // as d.jpg
    setModified(noDate, 1714555800);                                  // May 1 09:30 UTC
    setModified(heic, 0); // a header date wins over the file's time

    Files files{heic, webp, noDate, tie1, offset, digitized, early};
    ASSERT_TRUE(reorderFiles(files, Reordering::ByDateTaken, FileOrder(compareIgnoringCase)));
    EXPECT_EQ(files, (Files{early, noDate, tie1, offset, digitized, webp, heic}));
}

TEST_F(PhotoMomentTest, LowerCasedPathsAndVanishedFiles) {
    const std::string upper = copy("big-endian.jpg", "IMG_A.JPG");
    const std::string gone = (tree.root() / "gone.jpg").string();
    const std::string undated = copy("no-date.jpg", "undated.jpg");
    setModified(undated, 1);
    // The lower-cased path, as ConvertLow stores it, still finds the photo and its date.
    EXPECT_EQ(photoMoment(toLowerAscii(upper)).seconds, 1714550400);
    EXPECT_EQ(photoMoment(undated).seconds, 1);
    // A file that cannot be found goes after every other.
    Files files{gone, upper, undated};
    reorderFiles(files, Reordering::ByDateTaken, FileOrder(compareIgnoringCase));
    EXPECT_EQ(files, (Files{undated, upper, gone}));
}

TEST(ReorderingNamed, KnowsTheThreeWords) {
    EXPECT_EQ(reorderingNamed("name"), Reordering::ByName);
    EXPECT_EQ(reorderingNamed("date"), Reordering::ByDateTaken);
    EXPECT_EQ(reorderingNamed("reverse"), Reordering::Reverse);
    EXPECT_FALSE(reorderingNamed("Date"));
    EXPECT_FALSE(reorderingNamed(""));
}

} // namespace
} // namespace fotoplex::testing
