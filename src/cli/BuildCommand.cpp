// fotoplex-cli build and demo: Build Gallery from a terminal.
#include "base/Error.h"
#include "base/ProgramState.h"
#include "base/ResourceFolder.h"
#include "cli/Commands.h"
#include "cli/TerminalSession.h"
#include "engine/RasterImage.h"
#include "gallery/BuildGallery.h"
#include "production/CheckTargetDir.h"
#include "production/ImageJobs.h"
#include "production/ProductionQueue.h"
#include "project/TProject.h"

#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <unistd.h>

namespace fotoplex::cli {

namespace {

const char* const kBuildUsage =
    "Usage: fotoplex-cli build PROJECT.hgp [--target DIR] [--existing overwrite|ask|skip]\n"
    "                          [--yes] [--open|--no-open] [--quiet] [--jobs N]\n\n"
    "Runs Build Gallery on the project as the window would. The project file is never written.\n"
    "  --target DIR      build into DIR instead of the project's target folder\n"
    "  --existing MODE   what to do with output files that exist (default: the project's)\n"
    "  --yes             without a terminal: create a missing target folder\n"
    "  --open/--no-open  open index.html in the browser when done (default: the project's\n"
    "                    \"Show gallery in browser when ready\"); never without a display\n"
    "  --quiet           print nothing but errors\n"
    "  --jobs N          make N pictures at once (default: one per processor); the output\n"
    "                    is the same whatever N is\n"
    "Questions are asked on the terminal; without one, --yes answers the folder question and\n"
    "\"Ask me\" keeps existing files. Ctrl+C asks whether to cancel at the next file.\n"
    "Pictures that could not be made (or were read only in part) are listed on standard\n"
    "error when the build ends; the other pictures and the pages are built all the same.\n"
    "A picture whose names another picture of the list already has gets names of its own\n"
    "(IMG_0001-2.jpg); the build lists them on standard error, and that is no failure.\n"
    "Exit status: 0 done, 1 error, 2 usage error, 3 cancelled or target folder refused,\n"
    "4 built, but some pictures could not be made (or were read only in part).\n";

const char* const kDemoUsage =
    "Usage: fotoplex-cli demo [DIR]\n\n"
    "Builds a gallery of the bundled sample photographs with the default settings into DIR\n"
    "(default ./demo-gallery) and prints the path of its index.html.\n";

struct UsageError {
    std::string message;
};

struct BuildOptions {
    std::string project;
    std::optional<std::string> target;
    std::optional<int> existing;
    bool yes = false;
    std::optional<bool> open;
    bool quiet = false;
    bool askOnTerminal = false;
    std::optional<int> jobs;
};

int jobCount(const std::string& word) {
    int count = 0;
    std::size_t used = 0;
    try {
        count = std::stoi(word, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != word.size() || count < 1 || count > 256) {
        throw UsageError{"--jobs takes a number from 1 to 256, not '" + word + "'"};
    }
    return count;
}

int existingMode(const std::string& word) {
    if (word == "overwrite") {
        return 0;
    }
    if (word == "ask") {
        return 1;
    }
    if (word == "skip") {
        return 2;
    }
    throw UsageError{"--existing takes overwrite, ask or skip, not '" + word + "'"};
}

BuildOptions parseBuildOptions(const Args& args) {
    BuildOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= args.size()) {
                throw UsageError{word + " needs a value"};
            }
            return args[++i];
        };
        if (word == "--target") {
            options.target = value();
        } else if (word == "--existing") {
            options.existing = existingMode(value());
        } else if (word == "--jobs" || word == "-j") {
            options.jobs = jobCount(value());
        } else if (word == "--yes" || word == "-y") {
            options.yes = true;
        } else if (word == "--open") {
            options.open = true;
        } else if (word == "--no-open") {
            options.open = false;
        } else if (word == "--quiet" || word == "-q") {
            options.quiet = true;
        } else if (!word.empty() && word[0] == '-') {
            throw UsageError{"unknown option '" + word + "'"};
        } else if (options.project.empty()) {
            options.project = word;
        } else {
            throw UsageError{"unexpected argument '" + word + "'"};
        }
    }
    if (options.project.empty()) {
        throw UsageError{"build needs a PROJECT.hgp"};
    }
    return options;
}

// The target-folder option standing in for the window's edit.
class TargetOption : public TargetDirField {
public:
    explicit TargetOption(TProject& project) : project_(project) {}
    std::string text() const override { return project_.TargetDir.str(); }
    void setText(const std::string& text) override { project_.TargetDir = text; }

private:
    TProject& project_;
};

// Runs Build Gallery on a project held in memory; returns the exit status.
int buildProject(TProject& project, const BuildOptions& options) {
    ProgramState state;
    const bool open = options.open.value_or(project.ShowWhenReady);
    TerminalSession session(state, {options.askOnTerminal, options.yes}, options.quiet, open);
    const bool hadFiles = !project.Files.empty();
    if (!options.askOnTerminal && project.OverwriteMode == 1) {
        session.say("No terminal to ask: existing files are kept (\"Ask me\" answered No).");
    }
    // The browser is the session's business: the sequence asks for it as the window would.
    project.ShowWhenReady = open;

    RasterImage sizeReader;
    TargetOption field(project);
    JobContext job{project,
                   state,
                   session,
                   session,
                   session.mainThread(),
                   sizeReader,
                   [&] {
                       const bool ok = CheckTargetDir(project, state, field, session);
                       if (!ok) {
                           session.noteFolderRefused();
                       }
                       return ok;
                   },
                   [&] { project.Modified = true; },
                   options.jobs.value_or(DefaultWorkerCount())};
    try {
        BuildAllBtnClick(job);
    } catch (const Error& error) {
        std::cerr << "fotoplex-cli build: " << errorBoxText(error.what()) << "\n";
        return kExitError;
    }
    if (state.picturesMade + state.picturesUpToDate > 0) {
        session.say(PicturesText(state) + ".");
    }
    if (session.cancelled() || session.folderRefused()) {
        session.say(session.cancelled() ? "Cancelled." : "Target folder refused: nothing built.");
        return kExitIncomplete;
    }
    if (!hadFiles) {
        return kExitError;
    }
    if (!state.pictureProblems.empty()) {
        session.say("Gallery built, but not every picture was made: " + GalleryIndexPath(project));
        return kExitPicturesNotMade;
    }
    session.say("Gallery ready: " + GalleryIndexPath(project));
    return kExitOk;
}

bool wantsHelp(const Args& args) {
    for (const std::string& word : args) {
        if (word == "--help" || word == "-h") {
            return true;
        }
    }
    return false;
}

// The bundled samples, from the program's own resource folder.
std::filesystem::path samplesFolder() {
    return resourceFolder() / "samples";
}

} // namespace

int runBuildCommand(const Args& args) {
    if (wantsHelp(args)) {
        std::cout << kBuildUsage;
        return kExitOk;
    }
    try {
        BuildOptions options = parseBuildOptions(args);
        options.askOnTerminal = ::isatty(STDIN_FILENO) != 0;
        TProject project;
        project.Load(options.project);
        project.FileName = options.project;
        if (options.target) {
            project.TargetDir = *options.target;
        }
        if (options.existing) {
            project.OverwriteMode = *options.existing;
        }
        return buildProject(project, options);
    } catch (const UsageError& error) {
        std::cerr << "fotoplex-cli build: " << error.message << "\n\n" << kBuildUsage;
        return kExitUsage;
    } catch (const Error& error) {
        std::cerr << "fotoplex-cli build: " << errorBoxText(error.what()) << "\n";
        return kExitError;
    }
}

int runDemoCommand(const Args& args) {
    if (wantsHelp(args)) {
        std::cout << kDemoUsage;
        return kExitOk;
    }
    if (args.size() > 1) {
        std::cerr << kDemoUsage;
        return kExitUsage;
    }
    std::error_code ec;
    const auto target = std::filesystem::absolute(args.empty() ? "demo-gallery" : args[0], ec);
    std::filesystem::path samples;
    try {
        samples = samplesFolder();
    } catch (const Error& error) {
        std::cerr << "fotoplex-cli demo: " << error.what() << "\n";
        return kExitError;
    }

    TProject project;
    project.TargetDir = target.string();
    project.DocTitle = "Fotoplex sample gallery";
    project.TopTitle = "Sample gallery";
    for (const auto& entry : std::filesystem::directory_iterator(samples, ec)) {
        const std::string ext = entry.path().extension().string();
        if (ext == ".jpg" || ext == ".png") {
            project.Files.push_back(entry.path().string());
        }
    }
    std::sort(project.Files.begin(), project.Files.end());
    if (project.Files.empty()) {
        std::cerr << "fotoplex-cli demo: no sample photographs in " << samples.string() << "\n";
        return kExitError;
    }
    BuildOptions options;
    options.yes = true;
    options.quiet = true;
    options.open = false;
    const int status = buildProject(project, options);
    if (status == kExitOk) {
        std::cout << GalleryIndexPath(project) << "\n";
    }
    return status;
}

} // namespace fotoplex::cli
