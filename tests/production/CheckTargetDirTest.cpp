#include "production/CheckTargetDir.h"

#include "../base/TempFolder.h"
#include "base/Error.h"
#include "base/ProgramState.h"
#include "ports/Dialogs.h"
#include "project/TProject.h"

#include <deque>
#include <filesystem>
#include <gtest/gtest.h>

namespace fotoplex {
namespace {

using testing::TempFolder;

// The target-folder field as the window has it: setting its text counts as a user edit.
class FakeField : public TargetDirField {
public:
    FakeField(TProject& project, std::string text) : project_(project), text_(std::move(text)) {}
    std::string text() const override { return text_; }
    void setText(const std::string& text) override {
        text_ = text;
        ++edits;
        project_.TargetDir = text;
        project_.Modified = true;
    }
    int edits = 0;

private:
    TProject& project_;
    std::string text_;
};

class AnsweringDialogs : public Dialogs {
public:
    std::deque<Answer> answers;
    std::vector<MessageRequest> asked;
    Answer ask(const MessageRequest& request) override {
        asked.push_back(request);
        if (answers.empty()) {
            return Answer::No;
        }
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<std::string> chooseFolder(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> openFile(const FileRequest&) override { return std::nullopt; }
    std::optional<std::string> saveFile(const FileRequest&) override { return std::nullopt; }
};

class CheckTargetDirTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = std::filesystem::current_path();
        project_.Modified = false;
    }
    void TearDown() override { std::filesystem::current_path(saved_); }

    bool check(FakeField& field) { return CheckTargetDir(project_, state_, field, dialogs_); }

    std::filesystem::path saved_;
    TempFolder temp_;
    TProject project_;
    ProgramState state_;
    AnsweringDialogs dialogs_;
};

TEST_F(CheckTargetDirTest, BlanksAroundTheFolderGoAndOneDelimiterIsAdded) {
    const std::string folder = temp_.dir().substr(0, temp_.dir().size() - 1);
    FakeField field(project_, "  " + folder + " \t");
    EXPECT_TRUE(check(field));
    EXPECT_EQ(field.text(), folder + "/");
    EXPECT_EQ(project_.TargetDir, Text(folder + "/"));
    EXPECT_TRUE(project_.Modified);
    EXPECT_EQ(field.edits, 1);
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(folder));
    EXPECT_TRUE(dialogs_.asked.empty());
}

TEST_F(CheckTargetDirTest, AFolderAlreadyInShapeIsNotEditedAgain) {
    FakeField field(project_, temp_.dir());
    EXPECT_TRUE(check(field));
    EXPECT_EQ(field.edits, 0);
    EXPECT_FALSE(project_.Modified);
    EXPECT_EQ(project_.TargetDir, Text(temp_.dir()));
}

TEST_F(CheckTargetDirTest, OnlyBlanksIsRefusedAndNothingMoves) {
    const auto before = std::filesystem::current_path();
    FakeField field(project_, "   ");
    EXPECT_FALSE(check(field));
    ASSERT_EQ(dialogs_.asked.size(), 1u);
    EXPECT_EQ(dialogs_.asked[0].text, "Please choose target directory first.");
    EXPECT_EQ(dialogs_.asked[0].icon, MessageIcon::Error);
    EXPECT_EQ(dialogs_.asked[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(std::filesystem::current_path(), before);
    EXPECT_EQ(field.edits, 0);
    EXPECT_FALSE(state_.jobCancelled);
}

TEST_F(CheckTargetDirTest, YesCreatesAMissingFolderOneLevelDeep) {
    const std::string target = temp_.file("gallery");
    dialogs_.answers.push_back(Answer::Yes);
    FakeField field(project_, target);
    EXPECT_TRUE(check(field));
    ASSERT_EQ(dialogs_.asked.size(), 1u);
    EXPECT_EQ(dialogs_.asked[0].text, "Target directory does not exist. Do you want to create it?");
    EXPECT_EQ(dialogs_.asked[0].icon, MessageIcon::Warning);
    EXPECT_EQ(dialogs_.asked[0].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(std::filesystem::is_directory(target));
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(target));
}

TEST_F(CheckTargetDirTest, YesWithAMissingParentRaisesCannotCreate) {
    const std::string target = temp_.file("no/parent");
    dialogs_.answers.push_back(Answer::Yes);
    FakeField field(project_, target);
    try {
        check(field);
        FAIL() << "expected an error";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot create " + target + "/");
    }
    EXPECT_FALSE(std::filesystem::exists(temp_.file("no")));
}

TEST_F(CheckTargetDirTest, NoCancelsTheRun) {
    const std::string target = temp_.file("missing");
    FakeField field(project_, target);
    dialogs_.answers.push_back(Answer::No);
    EXPECT_FALSE(check(field));
    EXPECT_TRUE(state_.jobCancelled);
    EXPECT_FALSE(std::filesystem::exists(target));
}

TEST_F(CheckTargetDirTest, AFileInTheWayIsNotAFolder) {
    const std::string target = temp_.file("taken");
    std::ofstream(target) << "x";
    dialogs_.answers.push_back(Answer::Yes);
    FakeField field(project_, target);
    EXPECT_THROW(check(field), Error);
    EXPECT_TRUE(std::filesystem::is_regular_file(target));
}

TEST(TrimBlanksTest, RemovesBlanksAndControlCharactersAtBothEnds) {
    EXPECT_EQ(trimBlanks("  a b  "), "a b");
    EXPECT_EQ(trimBlanks("\t\r\n"), "");
    EXPECT_EQ(trimBlanks(""), "");
    EXPECT_EQ(withTrailingDelimiter("/x"), "/x/");
    EXPECT_EQ(withTrailingDelimiter("/x/"), "/x/");
}

} // namespace
} // namespace fotoplex
