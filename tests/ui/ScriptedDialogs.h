#pragma once

#include "ports/Dialogs.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace fotoplex::testing {

// Answers every modal question from a script and records what was asked, so that no test
// ever waits on a real box. An unscripted question gets the most cautious answer.
class ScriptedDialogs : public Dialogs {
public:
    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> folders;
    std::deque<std::optional<std::string>> openFiles;
    std::deque<std::optional<std::string>> saveFiles;

    std::vector<MessageRequest> asked;
    std::vector<std::string> folderTitles;
    std::vector<std::string> folderStarts;
    std::vector<FileRequest> openRequests;
    std::vector<FileRequest> saveRequests;
    int unscripted = 0;

    Answer ask(const MessageRequest& request) override {
        asked.push_back(request);
        if (answers.empty()) {
            ++unscripted;
            return request.buttons == MessageButtons::YesNo ? Answer::No
                   : request.buttons == MessageButtons::Ok  ? Answer::Ok
                                                            : Answer::Cancel;
        }
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::optional<std::string> chooseFolder(const std::string& title,
                                            const std::string& start) override {
        folderTitles.push_back(title);
        folderStarts.push_back(start);
        return next(folders);
    }

    std::optional<std::string> openFile(const FileRequest& request) override {
        openRequests.push_back(request);
        return next(openFiles);
    }

    std::optional<std::string> saveFile(const FileRequest& request) override {
        saveRequests.push_back(request);
        return next(saveFiles);
    }

    std::string lastText() const { return asked.empty() ? std::string() : asked.back().text; }

    // Forgets the script and the record.
    void reset() {
        answers.clear();
        folders.clear();
        openFiles.clear();
        saveFiles.clear();
        clear();
    }

    // Forgets what was asked; the script stays.
    void clear() {
        asked.clear();
        folderTitles.clear();
        folderStarts.clear();
        openRequests.clear();
        saveRequests.clear();
        unscripted = 0;
    }

private:
    std::optional<std::string> next(std::deque<std::optional<std::string>>& queue) {
        if (queue.empty()) {
            ++unscripted;
            return std::nullopt;
        }
        auto value = queue.front();
        queue.pop_front();
        return value;
    }
};

} // namespace fotoplex::testing
