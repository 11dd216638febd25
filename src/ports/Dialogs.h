#pragma once

#include <optional>
#include <string>
#include <vector>

namespace fotoplex {

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

// One modal message box: fixed words, an icon and a set of buttons.
struct MessageRequest {
    std::string caption;
    std::string text;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    Answer defaultAnswer = Answer::Ok;
};

// A file dialog's filter: its caption and its patterns ("*.jpg;*.jpeg").
struct FileFilter {
    std::string caption;
    std::string patterns;
};

struct FileRequest {
    std::string title;
    std::string folder;
    std::string fileName;
    std::vector<FileFilter> filters;
    std::string defaultExtension;
};

// Every modal question of the program goes through here, so that tests can answer them
// and the command-line program can answer them from its options or its terminal.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual Answer ask(const MessageRequest& request) = 0;
    // A warning that needs no answer: an OK box, unless the front end shows it otherwise.
    virtual void showWarning(const std::string& caption, const std::string& text) {
        ask({caption, text, MessageIcon::Warning, MessageButtons::Ok, Answer::Ok});
    }
    // A notice that needs no answer and reports no failure: an OK box with the information
    // icon, unless the front end shows it otherwise.
    virtual void showNotice(const std::string& caption, const std::string& text) {
        ask({caption, text, MessageIcon::Information, MessageButtons::Ok, Answer::Ok});
    }
    virtual std::optional<std::string> chooseFolder(const std::string& title,
                                                    const std::string& startFolder) = 0;
    virtual std::optional<std::string> openFile(const FileRequest& request) = 0;
    virtual std::optional<std::string> saveFile(const FileRequest& request) = 0;
};

} // namespace fotoplex
