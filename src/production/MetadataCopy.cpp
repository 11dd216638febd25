#include "production/MetadataCopy.h"

#include "base/Error.h"
#include "base/FileUtil.h"
#include "engine/FileBytes.h"
#include "engine/JpegMetadataCopy.h"

#include <cstdio>
#include <fstream>

namespace fotoplex {

void CopyWithMetadata(const std::string& source, const std::string& destination,
                      MetadataChoice choice) {
    // The plain copy first: it brings every safeguard against touching the source.
    CopyFileReplacing(source, destination);
    if (choice == MetadataChoice::All) {
        return;
    }
    const auto copied = readFileBytes(destination, kMaxFileBytes);
    if (!copied || copied->bytes.size() != copied->fileSize) {
        return;
    }
    const auto filtered = jpegWithMetadata(copied->bytes, choice);
    if (!filtered || *filtered == copied->bytes) {
        return;
    }
    std::ofstream out(destination, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(filtered->data()),
              static_cast<std::streamsize>(filtered->size()));
    out.close();
    if (!out) {
        // A cut JPEG must not stay for the pages to show.
        std::remove(destination.c_str());
        throw cannotCreateFile(destination);
    }
}

} // namespace fotoplex
