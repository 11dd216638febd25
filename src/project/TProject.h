#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/MetadataChoice.h"
#include "project/PageStyle.h"
#include "project/Text.h"

namespace fotoplex {

// Everything that defines one gallery: the ordered source files and every setting.
// Fields are plain and public; the settings controls and the build steps use them
// directly. Ranges belong to the controls: values read from a file are taken as they are.
class TProject {
public:
    TProject();

    bool Modified = true;
    Text FileName = "untitled.hgp";
    std::vector<std::string> Files;

    Text TargetDir;
    Text SourceDir;
    bool ConvertLow = true;
    Text BackgroundImagePath;
    bool SortedList = false;
    Text ImageFolder;
    bool ResizeImages = false;
    std::int32_t ImgWidth = 640;
    std::int32_t ImgHeight = 480;
    bool KeepImgAspect = true;
    std::int32_t JPEGQuality = 85;
    std::int32_t ImgResizeMethod = 5;
    bool ProgressiveImg = false;
    Text ThumbFolder;
    Text ThumbPrefix;
    Text ThumbSuffix;
    std::int32_t ThumbWidth = 120;
    std::int32_t ThumbHeight = 120;
    std::int32_t ThumbQuality = 75;
    std::int32_t ThumbResizeMethod = 5;
    bool KeepThumbAspect = true;
    bool ProgressiveThumb = false;
    bool TableAutoWidth = true;
    std::int32_t Alignment = 0;
    bool TableWidthInPixels = true;
    bool TableWidthInPercents = false;
    std::int32_t TableWidthPx = 500;
    std::int32_t TableWidthPer = 70;
    std::int32_t TableBorder = 1;
    std::int32_t TableCols = 4;
    std::int32_t TableRows = 3;
    std::int32_t CellSpacing = 8;
    std::int32_t CellPadding = 0;
    std::int32_t NavFontSize = 12;
    bool JumpMenu = false;
    std::int32_t MarginLeft = 0;
    std::int32_t MarginRight = 0;
    std::int32_t MarginTop = 0;
    std::int32_t MarginBottom = 0;
    Text BorderColor;
    Text TableHeaderColor;
    Text TableHeaderTextColor;
    Text LinkColor;
    Text ActiveLinkColor;
    Text VisitedLinkColor;
    Text HoverColor;
    Text BackColor;
    Text TextColor;
    Text DocTitle;
    Text TopTitle;
    Text BottomTitle;
    std::int32_t TopTitleSize = 1;
    std::int32_t BottomTitleSize = 5;
    Text PageText;
    Text GalleryText;
    Text PreviousText;
    Text NextText;
    Text OfText;
    Text JumpToText;
    std::int32_t Encoding = 18;
    std::int32_t FontFamily = 0;
    std::int32_t LinksTarget = 1;
    std::int32_t OverwriteMode = 0;
    bool ShowWhenReady = false;

    // Settings beyond the fixed layout. The project file keeps them in its extension
    // block, which is written only when one of them differs from its default.
    MetadataChoice ImageMetadata = MetadataChoice::All;
    MetadataChoice ThumbMetadata = MetadataChoice::All;
    // The page style ("classic" or "modern", see PageStyleOf), the language the pages
    // declare (a language tag) and the gallery's public address (empty: none). Texts, kept as
    // written, so that a value a later version knows survives a round trip. The last two
    // shape the modern pages only.
    Text PageStyle = kClassicStyleName;
    Text PageLanguage = kDefaultPageLanguage;
    Text SiteAddress;
    // Extension lines ("Name=value") this version does not know, written back unchanged so
    // that a later version's settings survive a round trip.
    std::vector<std::string> UnknownExtensionLines;

    // Every setting to its default (the extension settings too, unknown ones dropped);
    // Modified, FileName and Files stay as they are.
    void SetDefaults();

    std::string GetCharset() const;
    std::string GetFontFamily() const;

    // The project file. Save and Load leave Modified false. Errors: "Cannot create file %s",
    // "Cannot open file %s", or a failed write naming the file.
    void Save();
    void SaveAs(const std::string& path);
    void Load(const std::string& path);
};

inline constexpr const char* kDefaultBottomTitle = "Created With Fotoplex ";

} // namespace fotoplex
