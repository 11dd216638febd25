// fotoplex-cli project: create, change and show .hgp project files.
#include "base/Error.h"
#include "base/Text.h"
#include "cli/Commands.h"
#include "filelist/ListReordering.h"
#include "project/ProjectFields.h"
#include "project/TProject.h"

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace fotoplex::cli {

namespace {

const char* const kUsage =
    "Usage:\n"
    "  fotoplex-cli project new FILE [NAME=VALUE ...] [--add PATH...]\n"
    "  fotoplex-cli project set FILE [NAME=VALUE ...] [--clear-files] [--add PATH...]\n"
    "                          [--sort name|date|reverse]\n"
    "  fotoplex-cli project show FILE\n\n"
    "new   writes a new project with the default settings, then the given settings,\n"
    "      then appends the given source pictures as the window's Add does.\n"
    "set   loads FILE, changes it the same way and saves it.\n"
    "show  prints every setting as Name=value, then one File=path line per picture.\n\n"
    "NAME is a setting's name (as 'show' prints them). Flags take true/false or 1/0,\n"
    "integers any 32-bit value, texts are stored as given (at most 255 bytes).\n"
    "ImageMetadata and ThumbMetadata take all, nolocation or profile.\n"
    "PageStyle takes classic or modern, PageLanguage a language tag (en, de-CH),\n"
    "SiteAddress the gallery's public http:// or https:// address (empty: none).\n"
    "--add takes every path that follows it up to the next option or NAME=VALUE setting\n"
    "(--add photos/*.jpg). A source path is stored absolute, lower-cased when ConvertLow\n"
    "is set at that moment.\n"
    "--sort orders the picture list once, after the other changes: by file name, by the\n"
    "date each photo was taken (its EXIF date, else the file's modification time) or in\n"
    "reverse; equal dates keep their order. Refused while SortedList is true.\n";

// A request that cannot be carried out as written: exit status 2, nothing written.
struct UsageError {
    std::string message;
};

struct Changes {
    std::vector<std::pair<const ProjectField*, std::string>> settings;
    std::vector<std::string> added;
    bool clearFiles = false;
    std::optional<Reordering> sort;
};

// What ends the paths of --add: an option, or a setting that is not also a file's name.
bool endsPaths(const std::string& word) {
    if (word.size() > 1 && word[0] == '-') {
        return true;
    }
    const std::size_t equals = word.find('=');
    std::error_code ec;
    return equals != std::string::npos && findProjectField(word.substr(0, equals)) &&
           !std::filesystem::exists(word, ec);
}

Changes parseChanges(const Args& words, bool allowClear) {
    Changes changes;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word == "--add") {
            // Every path up to the next option, so that a shell's photos/*.jpg works.
            const std::size_t first = i + 1;
            while (i + 1 < words.size() && !endsPaths(words[i + 1])) {
                changes.added.push_back(words[++i]);
            }
            if (i + 1 == first) {
                throw UsageError{"--add needs a path"};
            }
        } else if (word == "--clear-files" && allowClear) {
            changes.clearFiles = true;
        } else if (word == "--sort" && allowClear) {
            if (i + 1 == words.size()) {
                throw UsageError{"--sort needs name, date or reverse"};
            }
            changes.sort = reorderingNamed(words[++i]);
            if (!changes.sort) {
                throw UsageError{"--sort takes name, date or reverse, not '" + words[i] + "'"};
            }
        } else if (const auto equals = word.find('=');
                   equals != std::string::npos && word[0] != '-') {
            const std::string name = word.substr(0, equals);
            const ProjectField* field = findProjectField(name);
            if (!field) {
                throw UsageError{"unknown setting '" + name + "'"};
            }
            changes.settings.emplace_back(field, word.substr(equals + 1));
        } else {
            throw UsageError{"unexpected argument '" + word + "'"};
        }
    }
    return changes;
}

std::string absoluteSource(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        throw UsageError{"no such picture file '" + path + "'"};
    }
    return std::filesystem::absolute(path, ec).lexically_normal().string();
}

void applyChanges(TProject& project, const Changes& changes) {
    for (const auto& [field, value] : changes.settings) {
        try {
            setFieldFromText(project, *field, value);
        } catch (const Error& error) {
            throw UsageError{error.what()};
        }
    }
    if (changes.clearFiles) {
        project.Files.clear();
    }
    for (std::size_t i = 0; i < changes.added.size(); ++i) {
        const std::string path = absoluteSource(changes.added[i]);
        if (i == 0) {
            project.SourceDir = std::filesystem::path(path).parent_path().string();
        }
        project.Files.push_back(project.ConvertLow ? toLowerAscii(path) : path);
    }
    if (changes.sort) {
        // As in the window, where a sorted list keeps its own order.
        if (project.SortedList) {
            throw UsageError{"--sort cannot reorder a list kept sorted (SortedList=true)"};
        }
        reorderFiles(project.Files, *changes.sort, FileOrder(compareIgnoringCase));
    }
}

int showProject(const Args& words) {
    if (words.size() != 1) {
        throw UsageError{"show takes exactly one FILE"};
    }
    TProject project;
    project.Load(words[0]);
    for (const ProjectField& field : projectFields()) {
        std::cout << field.name << '=' << fieldValueText(project, field) << '\n';
    }
    for (const std::string& file : project.Files) {
        std::cout << "File=" << file << '\n';
    }
    return kExitOk;
}

int newProject(const Args& words) {
    if (words.empty()) {
        throw UsageError{"new needs a FILE"};
    }
    const Changes changes = parseChanges(Args(words.begin() + 1, words.end()), false);
    TProject project;
    applyChanges(project, changes);
    project.SaveAs(words[0]);
    return kExitOk;
}

int setProject(const Args& words) {
    if (words.empty()) {
        throw UsageError{"set needs a FILE"};
    }
    const Changes changes = parseChanges(Args(words.begin() + 1, words.end()), true);
    TProject project;
    project.Load(words[0]);
    project.FileName = words[0];
    applyChanges(project, changes);
    project.Save();
    return kExitOk;
}

bool wantsHelp(const Args& words) {
    for (const std::string& word : words) {
        if (word == "--help" || word == "-h") {
            return true;
        }
    }
    return false;
}

} // namespace

int runProjectCommand(const Args& args) {
    if (args.empty() || wantsHelp(args)) {
        (args.empty() ? std::cerr : std::cout) << kUsage;
        return args.empty() ? kExitUsage : kExitOk;
    }
    const std::string& action = args[0];
    const Args rest(args.begin() + 1, args.end());
    try {
        if (action == "show") {
            return showProject(rest);
        }
        if (action == "new") {
            return newProject(rest);
        }
        if (action == "set") {
            return setProject(rest);
        }
        throw UsageError{"unknown action '" + action + "'"};
    } catch (const UsageError& error) {
        std::cerr << "fotoplex-cli project: " << error.message << "\n";
        return kExitUsage;
    } catch (const Error& error) {
        std::cerr << "fotoplex-cli project: " << errorBoxText(error.what()) << "\n";
        return kExitError;
    }
}

} // namespace fotoplex::cli
