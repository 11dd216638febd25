#include "filelist/SourcePreview.h"

#include "filelist/SourcePath.h"

#include <algorithm>
#include <cmath>

namespace fotoplex {

namespace {

int scaled(int size, double zoom) {
    return static_cast<int>(std::lround(size * zoom));
}

// Division that rounds toward minus infinity, for the rare negative size.
std::int64_t floorDivide(std::int64_t value, std::int64_t divisor) {
    const std::int64_t quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

// The size in tenths of a KB, halves rounded up: floor(size * 10 / 1024 + 1/2), in integers
// so that 1280 bytes (1.25 KB) gives 1.3 whatever the floating-point rounding would do.
std::int64_t tenthsOfKilobyte(std::int64_t fileSize) {
    return floorDivide(fileSize * 10 + 512, 1024);
}

} // namespace

PreviewPlacement fitPreview(int pictureWidth, int pictureHeight) {
    PreviewPlacement placement;
    if (pictureWidth <= 0 || pictureHeight <= 0) {
        placement.x = kPreviewBoxWidth / 2;
        placement.y = kPreviewBoxHeight / 2;
        return placement;
    }
    const double zoom =
        std::max(kMinPreviewZoom, std::min(static_cast<double>(kPreviewBoxWidth) / pictureWidth,
                                           static_cast<double>(kPreviewBoxHeight) / pictureHeight));
    placement.zoom = zoom;
    placement.width = std::max(1, scaled(pictureWidth, zoom));
    placement.height = std::max(1, scaled(pictureHeight, zoom));
    placement.x = (kPreviewBoxWidth - placement.width) / 2;
    placement.y = (kPreviewBoxHeight - placement.height) / 2;
    return placement;
}

std::string previewInfoText(int width, int height, std::int64_t fileSize,
                            const std::string& decimalSeparator) {
    const std::int64_t tenths = tenthsOfKilobyte(fileSize);
    const std::int64_t whole = floorDivide(tenths, 10);
    const std::int64_t tenth = tenths - whole * 10;
    std::string size;
    if (whole < 0 && tenth != 0) {
        // -0.3 is whole -1 and tenth 7; written the usual way round.
        size = std::string(1, '-') + std::to_string(-(whole + 1)) + decimalSeparator +
               std::to_string(10 - tenth);
    } else {
        size = std::to_string(whole) + decimalSeparator + std::to_string(tenth);
    }
    return "Width: " + std::to_string(width) + "; Height: " + std::to_string(height) +
           "; Filesize: " + size + " KB";
}

std::optional<std::string> previewSource(const std::vector<std::string>& files, int selectedRow,
                                         bool previewChecked) {
    if (!previewChecked || selectedRow < 0 || selectedRow >= static_cast<int>(files.size())) {
        return std::nullopt;
    }
    return files[static_cast<std::size_t>(selectedRow)];
}

PreviewShown showSourcePreview(const std::vector<std::string>& files, int selectedRow,
                               bool previewChecked, const PreviewReader& read,
                               const std::string& decimalSeparator) {
    const std::optional<std::string> listed = previewSource(files, selectedRow, previewChecked);
    if (!listed) {
        return PreviewShown{};
    }
    const std::string path = resolveSourcePath(*listed);
    const PictureSize size = read(path);
    return PreviewShown{
        true, previewInfoText(size.width, size.height, listedFileSize(path), decimalSeparator)};
}

} // namespace fotoplex
