#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace fotoplex {

// The preview box of the Files page.
inline constexpr int kPreviewBoxWidth = 169;
inline constexpr int kPreviewBoxHeight = 153;
inline constexpr double kMinPreviewZoom = 0.01;

// Where a picture is drawn in the preview box: fitted with its aspect ratio kept, enlarged
// or reduced, centred. A picture too long and thin for a zoom of 1 per cent overhangs the
// box on both sides; the box clips it.
struct PreviewPlacement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    double zoom = 1.0; // 1.0 is 100 per cent
};

// The zoom is min(169 / width, 153 / height), at least 1 per cent; the drawn size is the
// picture's size times the zoom, rounded to whole pixels. An empty picture draws nothing, at
// the box's centre.
PreviewPlacement fitPreview(int pictureWidth, int pictureHeight);

// "Width: 640; Height: 480; Filesize: 1.3 KB": the file size in KB with one decimal, halves
// rounded up, written with the given decimal separator (the user's locale's).
std::string previewInfoText(int width, int height, std::int64_t fileSize,
                            const std::string& decimalSeparator);

// The listed path the preview reads for the selected row, or nothing when the preview is to
// be hidden (no row selected, or "Preview" unchecked). The caller reads it through
// resolveSourcePath.
std::optional<std::string> previewSource(const std::vector<std::string>& files, int selectedRow,
                                         bool previewChecked);

// FilesListBoxClick without the widgets. read loads the file into the window's preview
// picture and gives its size; it throws Error when the file cannot be opened, and then
// nothing is to change: the box and the line keep what they showed.
struct PictureSize {
    int width = 0;
    int height = 0;
};
using PreviewReader = std::function<PictureSize(const std::string& path)>;

struct PreviewShown {
    bool visible = false;
    std::string info; // empty while hidden
};

// Reads the selected entry (through resolveSourcePath) and forms the information line with
// the size of the same file; hidden with an empty line when there is nothing to show.
PreviewShown showSourcePreview(const std::vector<std::string>& files, int selectedRow,
                               bool previewChecked, const PreviewReader& read,
                               const std::string& decimalSeparator);

} // namespace fotoplex
