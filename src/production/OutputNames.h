#pragma once

// The names of every file a build writes for its sources, settled once for the whole list
// before anything is written. The jobs, the pages, the build record and the size lists all
// take their names from one table, so links, files and record always agree.
//
// Each source has described names (a NamingRule: the classic rule gives ImageFilePath,
// ThumbFilePath and the image page name). When an entry would write a file that an earlier
// entry already writes (two folders' IMG_0001.jpg; IMG_7.jpg and IMG_7.png share the
// thumbnail tn_IMG_7.jpg), or one of the gallery's own files (index.html, pageN.html,
// main.css, the background copy), it gets a distinct name instead: "-2" before the
// extension of every one of its names (IMG_0001-2.jpg, tn_IMG_0001-2.jpg,
// IMG_0001-2_jpg.html), or "-3" and so on when that would meet a name any other entry has.
// The first entry in list order keeps its described names; a list without such pairs keeps
// all of them. The same path listed twice is one source: both entries share its outputs.
// Names compare as the target folder's file system compares them (NameComparison).

#include "production/NameComparison.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace fotoplex {

class TProject;

// The files made for one source.
struct SourceOutputs {
    std::string image; // absolute path
    std::string thumb; // absolute path
    std::string page;  // file name in the target folder
    // Further files a page style makes for the source (absolute paths), settled like the rest.
    std::vector<std::string> more;
};

// Forms the names of one source's outputs. mark is empty for the described names, else the
// distinguishing mark ("-2"), which the rule puts into every name it forms, the same way.
class NamingRule {
public:
    virtual ~NamingRule() = default;
    virtual SourceOutputs outputsFor(const std::string& source, const std::string& mark) const = 0;
};

// The classic names: the image keeps the source's file name, the thumbnail is ThumbPrefix +
// base name + ThumbSuffix + ".jpg", the page is the file name with "_" for its last "." and
// ".html". The mark goes before the extension (after the base name in the thumbnail).
class ClassicNaming : public NamingRule {
public:
    // The project's folders as they are now: form the rule after the target-folder check.
    explicit ClassicNaming(const TProject& project);
    SourceOutputs outputsFor(const std::string& source, const std::string& mark) const override;

private:
    std::string imageFolder_;
    std::string thumbFolder_;
    std::string thumbPrefix_;
    std::string thumbSuffix_;
};

// The rule the project's page style names its files by: the one place where a page style
// plugs in names of its own. The classic style's is ClassicNaming.
std::unique_ptr<NamingRule> NamingRuleFor(const TProject& project);

// The file name with mark put before its extension: IMG_1.jpg and "-2" give IMG_1-2.jpg,
// scan01 gives scan01-2.
std::string MarkedFileName(const std::string& fileName, const std::string& mark);

// An entry that did not keep its described names, and why.
struct DistinctName {
    std::size_t index = 0;
    std::string source;
    std::string imageName; // the file name its image got
    std::string takenName; // the described name it met, relative to the target folder
    std::string takenBy;   // the listed source that has that name; empty for a gallery file
    bool caseOnly = false; // the names differ only in letter case
};

class OutputNames {
public:
    // The table of the project's list with its page style's rule (NamingRuleFor), compared as
    // the target folder compares names. Forms the folders from TargetDir: call it after the
    // target check.
    static OutputNames For(const TProject& project);
    // The same with another rule, for a page style that names its files its own way (a
    // ".jpg" ending for every picture, a second picture for sharp screens in `more`).
    static OutputNames For(const TProject& project, const NamingRule& rule);
    OutputNames(const TProject& project, const NamingRule& rule, NameComparison comparison);

    std::size_t size() const { return outputs_.size(); }
    const SourceOutputs& of(std::size_t k) const { return outputs_.at(k); }
    const std::string& imagePath(std::size_t k) const { return of(k).image; }
    const std::string& thumbPath(std::size_t k) const { return of(k).thumb; }
    const std::string& pageName(std::size_t k) const { return of(k).page; }
    std::vector<std::string> pageNames() const;

    const std::vector<DistinctName>& distinct() const { return distinct_; }
    // One line per entry that got a distinct name, saying which and why.
    std::vector<std::string> distinctLines() const;

    // True when path is one of the table's outputs, compared as the target folder compares.
    bool isOutput(const std::string& path) const;

private:
    NameComparison comparison_;
    std::vector<SourceOutputs> outputs_;
    std::vector<DistinctName> distinct_;
    std::vector<std::string> keys_; // every output's comparison key, sorted
};

} // namespace fotoplex
