#include "project/TProject.h"

#include <array>

#include "project/PlatformDefaults.h"
#include "project/ProjectFile.h"

namespace fotoplex {

namespace {

// Encoding index to the charset text of the pages' character-set declaration.
constexpr std::array<const char*, 20> kCharsets = {
    "iso-8859-2",   "x-mac-ce",    "windows-1250",   "iso-8859-5", "KOI8-R",
    "x-mac-cyrillic", "windows-1251", "iso-8859-7",  "x-mac-greek", "windows-1253",
    "iso-8859-1",   "EUC-JP",      "iso-2022-jp",    "Shift_JIS",  "euc-kr",
    "gb2312",       "big5",        "utf-8",          "iso-8859-1", "windows-1252"};

// FontFamily index to the stylesheet's font-family value.
constexpr std::array<const char*, 6> kFontFamilies = {
    "Arial, Helvetica, sans-serif",
    "\"Courier New\", Courier, monospace",
    "\"MS Sans Serif\", Geneva, sans-serif",
    "\"MS Serif\", New York, serif",
    "\"Times New Roman\", Times, serif",
    "Verdana, Arial, Helvetica, sans-serif"};

} // namespace

TProject::TProject() { SetDefaults(); }

void TProject::SetDefaults() {
    const PlatformDefaults platform = platformDefaults();
    TargetDir = platform.documentsFolder;
    SourceDir = platform.documentsFolder;
    ConvertLow = true;
    BackgroundImagePath = "";
    SortedList = false;
    ImageFolder = platform.imageFolder;
    ResizeImages = false;
    ImgWidth = 640;
    ImgHeight = 480;
    KeepImgAspect = true;
    JPEGQuality = 85;
    ImgResizeMethod = 5;
    ProgressiveImg = false;
    ThumbFolder = platform.thumbFolder;
    ThumbPrefix = "tn_";
    ThumbSuffix = "";
    ThumbWidth = 120;
    ThumbHeight = 120;
    ThumbQuality = 75;
    ThumbResizeMethod = 5;
    KeepThumbAspect = true;
    ProgressiveThumb = false;
    TableAutoWidth = true;
    Alignment = 0;
    TableWidthInPixels = true;
    TableWidthInPercents = false;
    TableWidthPx = 500;
    TableWidthPer = 70;
    TableBorder = 1;
    TableCols = 4;
    TableRows = 3;
    CellSpacing = 8;
    CellPadding = 0;
    NavFontSize = 12;
    JumpMenu = false;
    MarginLeft = 0;
    MarginRight = 0;
    MarginTop = 0;
    MarginBottom = 0;
    BorderColor = "#000000";
    TableHeaderColor = "#CCCCCC";
    TableHeaderTextColor = "#000000";
    LinkColor = "#3333FF";
    ActiveLinkColor = "#003399";
    VisitedLinkColor = "#003399";
    HoverColor = "#3333FF";
    BackColor = "#FFFFFF";
    TextColor = "#000000";
    DocTitle = "";
    TopTitle = "";
    BottomTitle = kDefaultBottomTitle;
    TopTitleSize = 1;
    BottomTitleSize = 5;
    PageText = "Page";
    GalleryText = "Gallery";
    PreviousText = "Previous";
    NextText = "Next";
    OfText = "Of";
    JumpToText = "Jump";
    Encoding = platform.encoding;
    FontFamily = 0;
    LinksTarget = 1;
    OverwriteMode = 0;
    ShowWhenReady = false;
    ImageMetadata = MetadataChoice::All;
    ThumbMetadata = MetadataChoice::All;
    PageStyle = kClassicStyleName;
    PageLanguage = kDefaultPageLanguage;
    SiteAddress = "";
    UnknownExtensionLines.clear();
}

std::string TProject::GetCharset() const {
    if (Encoding < 0 || Encoding >= static_cast<std::int32_t>(kCharsets.size())) {
        return "iso-8859-1";
    }
    return kCharsets[static_cast<std::size_t>(Encoding)];
}

std::string TProject::GetFontFamily() const {
    if (FontFamily < 0 || FontFamily >= static_cast<std::int32_t>(kFontFamilies.size())) {
        return kFontFamilies[0];
    }
    return kFontFamilies[static_cast<std::size_t>(FontFamily)];
}

void TProject::Save() {
    writeProjectFile(*this, FileName.str());
    Modified = false;
}

void TProject::SaveAs(const std::string& path) {
    FileName = path;
    Save();
}

void TProject::Load(const std::string& path) {
    readProjectFile(*this, path);
    Modified = false;
}

} // namespace fotoplex
