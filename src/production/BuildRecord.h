#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace fotoplex {

// What this program wrote into a gallery folder, so that under "Overwrite" a picture whose
// inputs did not change is not made again. One small file in the target folder holds it.
//
// An output counts as up to date when the record names the same source file (path, size,
// modification time), the same settings that shape it and the same build of the picture
// makers, and the output itself still has the size and modification time it had when it was
// written. A record that is missing, damaged, from another program or another build counts
// as empty: then everything is produced.
class BuildRecord {
public:
    static constexpr const char* kFileName = ".fotoplex-build";

    // The record of targetDir (a folder path ending with a delimiter) for this build.
    static BuildRecord Load(const std::string& targetDir);
    // As Load, for the given build identity (tests stand in for another build with it).
    static BuildRecord Load(const std::string& targetDir, const std::string& identity);

    bool upToDate(const std::string& output, const std::string& source,
                  const std::string& shaping) const;
    // Notes that output was just made from source with these settings.
    void remember(const std::string& output, const std::string& source, const std::string& shaping);
    // Notes that output is not known to be what the record says (not made, or failed).
    void forget(const std::string& output);

    // Writes the record through a temporary file renamed over the old one, so that an
    // interrupted write leaves the old record or none. A failure only means that the next
    // build produces everything, so it is not reported.
    void Save() const;

    std::size_t size() const { return entries_.size(); }

private:
    struct FileStamp {
        std::int64_t size = -1;
        std::int64_t time = 0; // modification time, nanoseconds

        bool operator==(const FileStamp&) const = default;
    };
    struct Entry {
        std::string source;
        FileStamp sourceStamp;
        std::string shaping;
        FileStamp outputStamp;
    };

    static FileStamp stampOf(const std::string& path);
    static bool parse(const std::string& text, const std::string& identity,
                      std::map<std::string, Entry>& entries);

    std::string path_;
    std::string identity_;
    std::map<std::string, Entry> entries_;
};

} // namespace fotoplex
