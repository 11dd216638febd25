#pragma once

// Files the build writes are whole or absent: each is written beside its final name and
// renamed over it only when complete, so a full disk, a quota or a size limit leaves the
// previous file as it was and no temporary file behind.

#include <cstddef>
#include <string>
#include <string_view>

namespace fotoplex {

// One file being replaced. The temporary file lies in the final file's folder (a rename
// never crosses file systems) under a hidden name of its own; it is removed again unless
// commit() put it in place. The new file gets the permissions of the file it replaces (with
// the owner's write permission), or the usual ones of a new file.
//
// Errors name the final path and the system's reason: "Cannot create file %s: reason" when
// no temporary file can be made or the rename fails, and writeFailure + " %s: reason" when
// the bytes cannot be written whole ("Cannot create file" unless the caller says otherwise).
class FileReplacement {
public:
    explicit FileReplacement(const std::string& path,
                             std::string writeFailure = "Cannot create file");
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    void write(const void* data, std::size_t size);
    // Closes the temporary file and renames it over the final name.
    void commit();

private:
    void fail(const std::string& text, int error);

    std::string path_;  // the final file (a symbolic link there is followed)
    std::string shown_; // the path as the caller named it, for messages
    std::string writeFailure_;
    std::string temporary_;
    int fd_ = -1;
};

// Writes bytes to path whole through a FileReplacement.
void WriteFileWhole(const std::string& path, std::string_view bytes,
                    const std::string& writeFailure = "Cannot create file");

} // namespace fotoplex
