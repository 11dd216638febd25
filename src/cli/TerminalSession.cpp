#include "cli/TerminalSession.h"

#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <iostream>

#include "production/ImageJobs.h"

namespace fotoplex::cli {

namespace {

// Set by the Ctrl+C handler; a signal handler may touch nothing but such a flag.
volatile std::sig_atomic_t interruptPending = 0;

extern "C" void onInterrupt(int) { interruptPending = 1; }

bool hasDisplay() {
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x && *x) || (wayland && *wayland);
}

std::string buttonsHint(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::YesNo:
        return " [y/n] ";
    case MessageButtons::YesNoCancel:
        return " [y/n/c] ";
    case MessageButtons::OkCancel:
        return " [ok/cancel] ";
    case MessageButtons::Ok:
        break;
    }
    return " [press Enter] ";
}

} // namespace

TerminalSession::TerminalSession(ProgramState& state, AnswerPolicy policy, bool quiet, bool openBrowser)
    : state_(state), policy_(policy), quiet_(quiet), openBrowser_(openBrowser),
      fancy_(!quiet && ::isatty(STDERR_FILENO)) {
    interruptPending = 0;
    std::signal(SIGINT, onInterrupt);
}

TerminalSession::~TerminalSession() {
    std::signal(SIGINT, SIG_DFL);
    if (fancy_ && !lastPrinted_.empty()) {
        std::cerr << "\n";
    }
}

void TerminalSession::say(const std::string& line) {
    if (quiet_) {
        return;
    }
    if (fancy_ && !lastPrinted_.empty()) {
        std::cerr << "\n";
        lastPrinted_.clear();
    }
    std::cerr << line << "\n";
}

void TerminalSession::drawStatus() {
    if (quiet_) {
        return;
    }
    std::string line = panels_[0];
    if (!panels_[1].empty()) {
        line += "  " + panels_[1];
    }
    if (fancy_) {
        const int width = 24;
        const int filled = maximum_ > 0 ? width * position_ / maximum_ : 0;
        // Appended piece by piece: GCC 12 at -O3 takes a chain of + here for overlapping copies.
        std::string bar = "[";
        bar.append(static_cast<std::size_t>(filled), '#');
        bar.append(static_cast<std::size_t>(width - filled), '.');
        bar += "] ";
        std::cerr << "\r\033[K" << bar << line << std::flush;
        lastPrinted_ = line;
    } else if (line != lastPrinted_ && !line.empty()) {
        std::cerr << line << "\n";
        lastPrinted_ = line;
    }
}

void TerminalSession::setStatus(int panel, const std::string& text) {
    if (panel == 0 || panel == 1) {
        panels_[panel] = text;
        drawStatus();
    }
}

void TerminalSession::setProgressMaximum(int maximum) { maximum_ = maximum; }

void TerminalSession::setProgress(int position) {
    position_ = position;
    if (fancy_) {
        drawStatus();
    }
}

void TerminalSession::processEvents() {
    mainThread_.runPending();
    if (interruptPending) {
        interruptPending = 0;
        state_.lastKey = kEscapeKey;
    }
}

void TerminalSession::removeFileRow(int) {}

void TerminalSession::openDocument(const std::string& path) {
    if (!openBrowser_ || !hasDisplay()) {
        return;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::execlp("xdg-open", "xdg-open", path.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
}

Answer TerminalSession::ask(const MessageRequest& request) {
    const Answer answer = policy_.interactive ? askOnTerminal(request) : answerByPolicy(request);
    if (request.text == kCancelQuestion && answer == Answer::Yes) {
        cancelled_ = true;
    }
    return answer;
}

void TerminalSession::showWarning(const std::string&, const std::string& text) {
    if (fancy_ && !lastPrinted_.empty()) {
        std::cerr << "\n";
        lastPrinted_.clear();
    }
    std::cerr << text << "\n";
}

void TerminalSession::showNotice(const std::string& caption, const std::string& text) {
    showWarning(caption, text);
}

// Without a terminal: cancel when asked (Ctrl+C), create the folder only with --yes, keep
// existing files, and go on past the page steps' prompts.
Answer TerminalSession::answerByPolicy(const MessageRequest& request) {
    Answer answer = request.defaultAnswer;
    std::string assumed;
    if (request.text == kCancelQuestion) {
        answer = Answer::Yes;
        assumed = "yes (interrupted)";
    } else if (request.buttons == MessageButtons::YesNo) {
        const bool folderQuestion = request.text.find("Do you want to create it?") != std::string::npos;
        answer = folderQuestion && policy_.yes ? Answer::Yes : Answer::No;
        assumed = answer == Answer::Yes ? "yes (--yes)" : "no";
    } else if (request.buttons == MessageButtons::OkCancel) {
        answer = Answer::Ok;
        assumed = "OK";
    } else if (request.buttons == MessageButtons::YesNoCancel) {
        answer = Answer::Cancel;
        assumed = "cancel";
    } else {
        answer = Answer::Ok;
    }
    say(request.text + (assumed.empty() ? "" : " -> assumed " + assumed));
    return answer;
}

Answer TerminalSession::askOnTerminal(const MessageRequest& request) {
    if (fancy_ && !lastPrinted_.empty()) {
        std::cerr << "\n";
        lastPrinted_.clear();
    }
    for (;;) {
        std::cerr << request.text << buttonsHint(request.buttons) << std::flush;
        std::string reply;
        if (!std::getline(std::cin, reply)) {
            return answerByPolicy(request);
        }
        for (char& c : reply) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        switch (request.buttons) {
        case MessageButtons::Ok:
            return Answer::Ok;
        case MessageButtons::OkCancel:
            if (reply == "ok" || reply == "o" || reply.empty()) {
                return Answer::Ok;
            }
            if (reply == "cancel" || reply == "c") {
                return Answer::Cancel;
            }
            break;
        case MessageButtons::YesNo:
        case MessageButtons::YesNoCancel:
            if (reply == "y" || reply == "yes") {
                return Answer::Yes;
            }
            if (reply == "n" || reply == "no") {
                return Answer::No;
            }
            if (request.buttons == MessageButtons::YesNoCancel && (reply == "c" || reply == "cancel")) {
                return Answer::Cancel;
            }
            break;
        }
    }
}

} // namespace fotoplex::cli
