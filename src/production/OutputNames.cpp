#include "production/OutputNames.h"

#include "production/OutputNaming.h"
#include "production/PictureNaming.h"
#include "project/PageStyle.h"
#include "project/TProject.h"

#include <algorithm>
#include <filesystem>
#include <unordered_map>
#include <unordered_set>

namespace fotoplex {

namespace {

constexpr std::size_t kGalleryFile = static_cast<std::size_t>(-1);
constexpr int kMinTableCells = 1;
constexpr int kMaxTableCells = 99;

// Every file of one entry, as absolute paths.
std::vector<std::string> filesOf(const SourceOutputs& outputs, const std::string& targetDir) {
    std::vector<std::string> files{outputs.image, outputs.thumb, targetDir + outputs.page};
    files.insert(files.end(), outputs.more.begin(), outputs.more.end());
    return files;
}

std::string normalPath(const std::string& path) {
    return std::filesystem::path(path).lexically_normal().string();
}

// The files the gallery writes besides the pictures' own: no picture may take their names.
std::vector<std::string> galleryFiles(const TProject& project) {
    const std::string& target = project.TargetDir.str();
    std::vector<std::string> files{target + "index.html", target + "main.css"};
    if (!project.BackgroundImagePath.empty()) {
        files.push_back(target + BackgroundFileName(project));
    }
    // The index pages as the tables the settings fields show lay them out.
    const std::size_t cells =
        static_cast<std::size_t>(std::clamp(project.TableRows, kMinTableCells, kMaxTableCells)) *
        static_cast<std::size_t>(std::clamp(project.TableCols, kMinTableCells, kMaxTableCells));
    const std::size_t pages = (project.Files.size() + cells - 1) / cells;
    for (std::size_t page = 2; page <= pages; ++page) {
        files.push_back(target + "page" + std::to_string(page) + ".html");
    }
    return files;
}

// Settles the names of one list, entry by entry.
class Settler {
public:
    Settler(const TProject& project, const NamingRule& rule, NameComparison comparison)
        : project_(project), rule_(rule), comparison_(comparison) {}

    void settle(std::vector<SourceOutputs>& outputs, std::vector<DistinctName>& distinct) {
        const auto& sources = project_.Files;
        std::vector<SourceOutputs> described;
        described.reserve(sources.size());
        for (const std::string& source : sources) {
            described.push_back(rule_.outputsFor(source, ""));
            for (const std::string& file : filesOf(described.back(), target())) {
                describedKeys_.insert(key(file));
            }
        }
        for (const std::string& file : galleryFiles(project_)) {
            owner_.emplace(key(file), Owner{kGalleryFile, file});
        }
        std::unordered_map<std::string, std::size_t> firstOfSource;
        for (std::size_t k = 0; k < sources.size(); ++k) {
            const auto [first, isNew] = firstOfSource.emplace(normalPath(sources[k]), k);
            if (!isNew) {
                outputs.push_back(outputs[first->second]); // one source, one set of outputs
                continue;
            }
            outputs.push_back(settleOne(k, std::move(described[k]), distinct));
        }
    }

private:
    struct Owner {
        std::size_t index;
        std::string path; // as it was formed, for the notice
    };

    const std::string& target() const { return project_.TargetDir.str(); }
    std::string key(const std::string& path) const {
        return ComparisonKey(normalPath(path), comparison_);
    }

    // The first of the entry's files that another entry (or the gallery) already has.
    const Owner* taken(std::size_t k, const SourceOutputs& names) const {
        for (const std::string& file : filesOf(names, target())) {
            const auto found = owner_.find(key(file));
            if (found != owner_.end() && found->second.index != k) {
                return &found->second;
            }
        }
        return nullptr;
    }

    bool freeForMark(const SourceOutputs& names) const {
        const std::vector<std::string> files = filesOf(names, target());
        return std::none_of(files.begin(), files.end(), [&](const std::string& file) {
            const std::string k = key(file);
            return owner_.count(k) != 0 || describedKeys_.count(k) != 0;
        });
    }

    SourceOutputs settleOne(std::size_t k, SourceOutputs names,
                            std::vector<DistinctName>& distinct) {
        const std::string& source = project_.Files[k];
        if (const Owner* owner = taken(k, names)) {
            DistinctName note;
            note.index = k;
            note.source = source;
            note.takenBy = owner->index == kGalleryFile ? "" : project_.Files[owner->index];
            note.takenName = RelativeToTarget(project_, owner->path);
            const std::vector<std::string> files = filesOf(names, target());
            const std::string& mine = *std::find_if(files.begin(), files.end(), [&](const auto& f) {
                return key(f) == key(owner->path);
            });
            note.caseOnly = normalPath(mine) != normalPath(owner->path);
            // Marks already tried for this described name are not tried again. Every name
            // taken so far can stand in the way of one mark at most, so the search ends.
            int& mark = nextMark_.try_emplace(key(names.image), 2).first->second;
            std::size_t tries = owner_.size() + describedKeys_.size() + 1;
            do {
                std::string dashed = "-";
                dashed += std::to_string(mark++);
                names = rule_.outputsFor(source, dashed);
            } while (!freeForMark(names) && --tries > 0);
            note.imageName = SourceFileName(names.image);
            distinct.push_back(std::move(note));
        }
        for (const std::string& file : filesOf(names, target())) {
            owner_.try_emplace(key(file), Owner{k, file});
        }
        return names;
    }

    const TProject& project_;
    const NamingRule& rule_;
    NameComparison comparison_;
    std::unordered_set<std::string> describedKeys_;
    std::unordered_map<std::string, Owner> owner_;
    std::unordered_map<std::string, int> nextMark_;
};

} // namespace

std::string MarkedFileName(const std::string& fileName, const std::string& mark) {
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string::npos) {
        return fileName + mark;
    }
    return fileName.substr(0, dot) + mark + fileName.substr(dot);
}

ClassicNaming::ClassicNaming(const TProject& project)
    : imageFolder_(ImageFolderPath(project)), thumbFolder_(ThumbFolderPath(project)),
      thumbPrefix_(project.ThumbPrefix.str()), thumbSuffix_(project.ThumbSuffix.str()) {}

SourceOutputs ClassicNaming::outputsFor(const std::string& source, const std::string& mark) const {
    const std::string fileName = MarkedFileName(SourceFileName(source), mark);
    SourceOutputs outputs;
    outputs.image = imageFolder_ + fileName;
    outputs.thumb =
        thumbFolder_ + thumbPrefix_ + SourceBaseName(source) + mark + thumbSuffix_ + ".jpg";
    outputs.page = ImagePageFileName(fileName);
    return outputs;
}

namespace {

// The modern style's names: the classic ones, except that a picture resized from a non-JPEG
// source ends in ".jpg", and each thumbnail and resized picture has a sharp version beside it.
class ModernNaming : public NamingRule {
public:
    explicit ModernNaming(const TProject& project)
        : classic_(project), resized_(project.ResizeImages) {}

    SourceOutputs outputsFor(const std::string& source, const std::string& mark) const override {
        SourceOutputs outputs = classic_.outputsFor(source, mark);
        if (resized_ && !HasJpegExtension(source)) {
            outputs.image = JpegNamed(outputs.image);
        }
        outputs.more.push_back(SharpFilePath(outputs.thumb));
        if (resized_) {
            outputs.more.push_back(SharpFilePath(outputs.image));
        }
        return outputs;
    }

private:
    ClassicNaming classic_;
    bool resized_;
};

} // namespace

std::unique_ptr<NamingRule> NamingRuleFor(const TProject& project) {
    if (PageStyleOf(project) == PageStyleKind::Modern) {
        return std::make_unique<ModernNaming>(project);
    }
    return std::make_unique<ClassicNaming>(project);
}

OutputNames OutputNames::For(const TProject& project) {
    return For(project, *NamingRuleFor(project));
}

OutputNames OutputNames::For(const TProject& project, const NamingRule& rule) {
    return OutputNames(project, rule, TargetNameComparison(project.TargetDir.str()));
}

OutputNames::OutputNames(const TProject& project, const NamingRule& rule, NameComparison comparison)
    : comparison_(comparison) {
    outputs_.reserve(project.Files.size());
    Settler(project, rule, comparison).settle(outputs_, distinct_);
    for (const SourceOutputs& outputs : outputs_) {
        for (const std::string& file : filesOf(outputs, project.TargetDir.str())) {
            keys_.push_back(ComparisonKey(normalPath(file), comparison_));
        }
    }
    std::sort(keys_.begin(), keys_.end());
}

std::vector<std::string> OutputNames::pageNames() const {
    std::vector<std::string> names;
    names.reserve(outputs_.size());
    for (const SourceOutputs& outputs : outputs_) {
        names.push_back(outputs.page);
    }
    return names;
}

std::vector<std::string> OutputNames::distinctLines() const {
    std::vector<std::string> lines;
    for (const DistinctName& note : distinct_) {
        std::string line = note.source + ": named " + note.imageName + ", because ";
        line += note.takenBy.empty() ? note.takenName + " is a file of the gallery itself"
                                     : note.takenBy + " already has " + note.takenName;
        if (note.caseOnly) {
            line += " (the target folder does not tell letter case apart)";
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

bool OutputNames::isOutput(const std::string& path) const {
    return std::binary_search(keys_.begin(), keys_.end(),
                              ComparisonKey(normalPath(path), comparison_));
}

} // namespace fotoplex
