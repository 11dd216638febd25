#pragma once

// The one scripted Dialogs of every test: answers each modal question from a script and
// records what was asked, so that no test ever waits on a real box. What an unscripted
// question gets is the test's choice.

#include "ports/Dialogs.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace fotoplex::testing {

enum class Unscripted {
    Cautious,      // No to a yes/no question, OK to a plain message, Cancel otherwise
    DefaultAnswer, // the box's default button
    AlwaysOk,      // OK, whatever the buttons
    Fail,          // reports through `fail` and answers Cancel
};

class ScriptedDialogs : public Dialogs {
public:
    explicit ScriptedDialogs(std::deque<Answer> script = {},
                             Unscripted policy = Unscripted::Cautious)
        : answers(std::move(script)), onUnscripted(policy) {}
    explicit ScriptedDialogs(Unscripted policy) : onUnscripted(policy) {}

    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> folders;
    std::deque<std::optional<std::string>> openFiles;
    std::deque<std::optional<std::string>> saveFiles;
    Unscripted onUnscripted;
    // Called with every question before it is answered (to look at the program meanwhile).
    std::function<void(const MessageRequest&)> onAsk;
    // How a Fail policy reports an unexpected question or dialog; the test framework's own
    // failure (see StrictDialogs.h). Unset, the texts are only collected in `unexpected`.
    std::function<void(const std::string&)> fail;
    std::vector<std::string> unexpected;

    std::vector<MessageRequest> asked;
    std::vector<std::string> folderTitles;
    std::vector<std::string> folderStarts;
    std::vector<FileRequest> openRequests;
    std::vector<FileRequest> saveRequests;
    int unscripted = 0;

    Answer ask(const MessageRequest& request) override {
        asked.push_back(request);
        if (onAsk) {
            onAsk(request);
        }
        if (answers.empty()) {
            return unscriptedAnswer(request);
        }
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::optional<std::string> chooseFolder(const std::string& title,
                                            const std::string& start) override {
        folderTitles.push_back(title);
        folderStarts.push_back(start);
        return next(folders, "folder chooser");
    }

    std::optional<std::string> openFile(const FileRequest& request) override {
        openRequests.push_back(request);
        return next(openFiles, "open dialog");
    }

    std::optional<std::string> saveFile(const FileRequest& request) override {
        saveRequests.push_back(request);
        return next(saveFiles, "save dialog");
    }

    std::string lastText() const { return asked.empty() ? std::string() : asked.back().text; }

    // The texts asked so far, in order.
    std::vector<std::string> texts() const {
        std::vector<std::string> result;
        for (const MessageRequest& request : asked) {
            result.push_back(request.text);
        }
        return result;
    }

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
    void report(const std::string& text) {
        unexpected.push_back(text);
        if (fail) {
            fail(text);
        }
    }

    Answer unscriptedAnswer(const MessageRequest& request) {
        ++unscripted;
        switch (onUnscripted) {
        case Unscripted::DefaultAnswer:
            return request.defaultAnswer;
        case Unscripted::AlwaysOk:
            return Answer::Ok;
        case Unscripted::Fail:
            report("unexpected question: " + request.text);
            return Answer::Cancel;
        case Unscripted::Cautious:
            break;
        }
        return request.buttons == MessageButtons::YesNo ? Answer::No
               : request.buttons == MessageButtons::Ok  ? Answer::Ok
                                                        : Answer::Cancel;
    }

    std::optional<std::string> next(std::deque<std::optional<std::string>>& queue,
                                    const char* what) {
        if (queue.empty()) {
            ++unscripted;
            if (onUnscripted == Unscripted::Fail || onUnscripted == Unscripted::AlwaysOk) {
                report(std::string("unexpected ") + what);
            }
            return std::nullopt;
        }
        auto value = queue.front();
        queue.pop_front();
        return value;
    }
};

} // namespace fotoplex::testing
