#include "production/PictureProblems.h"

#include "production/JobFakes.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

namespace fotoplex {
namespace {

using jobtest::ScriptedDialogs;

PictureProblems failures(int count) {
    PictureProblems problems;
    for (int i = 1; i <= count; ++i) {
        NotePictureFailed(problems, "/p/" + std::to_string(i) + ".jpg", "damaged JPEG data");
    }
    return problems;
}

TEST(PictureProblemsText, ListsEachFailureWithItsReasonThenOneLineForPartialReads) {
    EXPECT_EQ(PictureProblemsText(PictureProblems{}), "");

    PictureProblems problems;
    NotePictureFailed(problems, "/p/junk.jpg", "not a readable JPEG header");
    EXPECT_EQ(PictureProblemsText(problems),
              "1 picture could not be made:\n/p/junk.jpg: not a readable JPEG header");

    NotePicturePartial(problems, "/p/cut.jpg");
    NotePicturePartial(problems, "/q/cut.png");
    EXPECT_EQ(PictureProblemsText(problems),
              "1 picture could not be made:\n/p/junk.jpg: not a readable JPEG header\n"
              "2 pictures were read only in part (damaged data, written as far as read): "
              "cut.jpg, cut.png");

    PictureProblems partialOnly;
    NotePicturePartial(partialOnly, "/p/cut.jpg");
    EXPECT_EQ(PictureProblemsText(partialOnly),
              "1 picture was read only in part (damaged data, written as far as read): cut.jpg");
}

TEST(PictureProblemsText, ShowsTheFirstTwentyThenHowManyMore) {
    const std::string twenty = PictureProblemsText(failures(20));
    EXPECT_NE(twenty.find("/p/20.jpg: damaged JPEG data"), std::string::npos);
    EXPECT_EQ(twenty.find("more"), std::string::npos);

    const std::string text = PictureProblemsText(failures(23));
    EXPECT_EQ(text.rfind("23 pictures could not be made:\n", 0), 0u);
    EXPECT_NE(text.find("/p/20.jpg: damaged JPEG data\nand 3 more"), std::string::npos);
    EXPECT_EQ(text.find("/p/21.jpg"), std::string::npos);
    EXPECT_EQ(text.back(), 'e') << "no line break after the last line";
}

TEST(PictureProblemsText, AFileListedOncePerReason) {
    PictureProblems problems;
    NotePictureFailed(problems, "/p/a.jpg", "not a readable JPEG header"); // image job
    NotePictureFailed(problems, "/p/a.jpg", "not a readable JPEG header"); // thumbnail job
    NotePictureFailed(problems, "/p/a.jpg", "Cannot create file /g/thumbs/tn_a.jpg");
    NotePicturePartial(problems, "/p/b.jpg");
    NotePicturePartial(problems, "/p/b.jpg");
    EXPECT_EQ(problems.failed.size(), 2u);
    EXPECT_EQ(problems.partial.size(), 1u);
}

TEST(RunListingPictureProblems, ShowsOneWarningWhenTheOutermostCommandEnds) {
    ScriptedDialogs dialogs;
    PictureProblems problems;
    NotePictureFailed(problems, "/old.jpg", "from the previous build");

    RunListingPictureProblems(problems, dialogs, [&] {
        EXPECT_TRUE(problems.empty()) << "a new command starts an empty list";
        NotePictureFailed(problems, "/p/a.jpg", "no reader for this kind of file");
        RunListingPictureProblems(problems, dialogs,
                                  [&] { NotePicturePartial(problems, "/p/b.jpg"); });
        EXPECT_TRUE(dialogs.asked.empty()) << "an inner command adds to the outer list";
        EXPECT_EQ(problems.failed.size(), 1u);
    });

    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].caption, "Warning");
    EXPECT_EQ(dialogs.asked[0].icon, MessageIcon::Warning);
    EXPECT_EQ(dialogs.asked[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(dialogs.asked[0].text, PictureProblemsText(problems));
    EXPECT_FALSE(problems.listing);
    EXPECT_EQ(problems.partial.size(), 1u) << "the list stays until the next command";
}

TEST(RunListingPictureProblems, NothingIsShownWhenEveryPictureWasMade) {
    ScriptedDialogs dialogs;
    PictureProblems problems;
    RunListingPictureProblems(problems, dialogs, [] {});
    EXPECT_TRUE(dialogs.asked.empty());
}

TEST(RunListingPictureProblems, AnErrorStillShowsTheListThenGoesOn) {
    ScriptedDialogs dialogs;
    PictureProblems problems;
    EXPECT_THROW(RunListingPictureProblems(problems, dialogs,
                                           [&] {
                                               NotePictureFailed(problems, "/a.jpg", "why");
                                               throw std::runtime_error("Cannot create file x");
                                           }),
                 std::runtime_error);
    EXPECT_EQ(dialogs.asked.size(), 1u);
    EXPECT_FALSE(problems.listing) << "the next command starts a list of its own";
}

} // namespace
} // namespace fotoplex
