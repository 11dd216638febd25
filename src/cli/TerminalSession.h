#pragma once

#include <atomic>
#include <optional>
#include <string>

#include "base/ProgramState.h"
#include "ports/Dialogs.h"
#include "ports/JobWindow.h"
#include "production/MainThreadQueue.h"

namespace fotoplex::cli {

// How the command line answers the questions a build asks.
struct AnswerPolicy {
    bool interactive = false; // standard input is a terminal: ask there
    bool yes = false;         // --yes: create a missing target folder
};

// The terminal's stand-in for the window: status texts and progress on standard error,
// questions on the terminal or answered by policy, Ctrl+C as the Esc key.
class TerminalSession : public JobWindow, public Dialogs {
public:
    TerminalSession(ProgramState& state, AnswerPolicy policy, bool quiet, bool openBrowser);
    ~TerminalSession() override;
    TerminalSession(const TerminalSession&) = delete;
    TerminalSession& operator=(const TerminalSession&) = delete;

    MainThreadQueue& mainThread() { return mainThread_; }

    // What happened during the run, for the exit status.
    bool cancelled() const { return cancelled_; }
    bool folderRefused() const { return folderRefused_; }
    void noteFolderRefused() { folderRefused_ = true; }

    // JobWindow
    void setStatus(int panel, const std::string& text) override;
    void setProgressMaximum(int maximum) override;
    void setProgress(int position) override;
    void setBusy(bool) override {}
    void processEvents() override;
    void removeFileRow(int index) override;
    void lockWindow() override {}
    void unlockWindow() override {}
    void showBuildPage() override {}
    void openDocument(const std::string& path) override;

    // Dialogs
    Answer ask(const MessageRequest& request) override;
    // Printed on standard error, also with --quiet; nothing to answer.
    void showWarning(const std::string& caption, const std::string& text) override;
    // The same: a notice the user must see even when nothing else is printed.
    void showNotice(const std::string& caption, const std::string& text) override;
    std::optional<std::string> chooseFolder(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> openFile(const FileRequest&) override { return std::nullopt; }
    std::optional<std::string> saveFile(const FileRequest&) override { return std::nullopt; }

    // Prints a line of its own (not a status text), unless quiet.
    void say(const std::string& line);

private:
    Answer answerByPolicy(const MessageRequest& request);
    Answer askOnTerminal(const MessageRequest& request);
    void drawStatus();

    ProgramState& state_;
    AnswerPolicy policy_;
    bool quiet_;
    bool openBrowser_;
    bool fancy_; // standard error is a terminal: one redrawn status line
    MainThreadQueue mainThread_;
    std::string panels_[2];
    int maximum_ = 0;
    int position_ = 0;
    bool cancelled_ = false;
    bool folderRefused_ = false;
    std::string lastPrinted_;
};

} // namespace fotoplex::cli
