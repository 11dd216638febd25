#pragma once

#include "production/FileStamp.h"

#include <cstdint>
#include <map>
#include <string>

namespace fotoplex {

// What this program wrote into a gallery folder, so that under "Overwrite" a picture whose
// inputs did not change is not made again. One small file in the target folder holds it.
//
// An output counts as up to date when the record names the same source file, in the state
// (FileStamp) it had when it was read for that output, the same settings that shape it and
// the same build of the picture makers with the same pixel libraries, and the output itself
// still has the stamp it had when it was written. A record that is missing, damaged, from
// another program or another build counts as empty: then everything is produced.
//
// The record is uploaded with the gallery, so it names no path: each output and source path
// appears only as a salted SHA-256 digest, the salt chosen when the record is first made.
class BuildRecord {
public:
    static constexpr const char* kFileName = ".fotoplex-build";

    // The record of targetDir (a folder path ending with a delimiter) for this build.
    static BuildRecord Load(const std::string& targetDir);
    // As Load, for the given build identity (tests stand in for another build with it).
    static BuildRecord Load(const std::string& targetDir, const std::string& identity);

    // This build's identity: the picture-making code and the loaded pixel libraries.
    static std::string thisBuild();

    bool upToDate(const std::string& output, const std::string& source,
                  const std::string& shaping) const;
    // Notes that output was just made from source with these settings, the source in the
    // state `read` it had when it was read (stamped before the reading began).
    void remember(const std::string& output, const std::string& source, const FileStamp& read,
                  const std::string& shaping);
    // As above, for a source stamped now.
    void remember(const std::string& output, const std::string& source, const std::string& shaping);
    // Notes that output is not known to be what the record says (not made, or failed).
    void forget(const std::string& output);

    // Writes the record through a temporary file renamed over the old one, so that an
    // interrupted write leaves the old record or none. A failure only means that the next
    // build produces everything, so it is not reported.
    void Save() const;

    std::size_t size() const { return entries_.size(); }

private:
    struct Entry {
        std::string source; // digest
        FileStamp sourceStamp;
        std::string shaping;
        FileStamp outputStamp;
    };

    std::string digest(const std::string& path) const;
    bool parse(const std::string& text);

    std::string path_;
    std::string identity_;
    std::string salt_;
    std::map<std::string, Entry> entries_; // by the output's digest
};

} // namespace fotoplex
