#include "production/MetadataCopy.h"

#include "base/Error.h"
#include "base/FileUtil.h"
#include "base/WholeFile.h"
#include "engine/FileBytes.h"
#include "engine/FileMetadataCopy.h"

#include <cerrno>
#include <string_view>
#include <unistd.h>

namespace fotoplex {

namespace {

// Written whole beside the copy and renamed over it: a cut picture never stays.
void writeWhole(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    WriteFileWhole(path,
                   std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

} // namespace

CopyOutcome CopyWithMetadata(const std::string& source, const std::string& destination,
                             MetadataChoice choice) {
    if (choice == MetadataChoice::All) {
        CopyFileReplacing(source, destination);
        return CopyOutcome::Copied;
    }
    const auto read = readFileBytes(source, kMaxFileBytes);
    if (!read) {
        throw cannotOpenFile(source, errno);
    }
    if (read->bytes.size() != read->fileSize) {
        throw cannotOpenFile(source, EFBIG);
    }
    // A rename over the source would replace it.
    if (SameFile(source, destination)) {
        throw cannotCreateFile(destination);
    }
    const auto filtered = fileWithMetadata(read->bytes, choice);
    if (!filtered) {
        ::unlink(destination.c_str());
        return CopyOutcome::LocationKept;
    }
    writeWhole(destination, *filtered);
    return CopyOutcome::Copied;
}

} // namespace fotoplex
