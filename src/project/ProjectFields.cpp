#include "project/ProjectFields.h"

#include <array>
#include <charconv>

#include "base/Error.h"

namespace fotoplex {

namespace {

using P = TProject;

const std::array<ProjectField, 69> kFields = {{
    {"TargetDir", &P::TargetDir},
    {"SourceDir", &P::SourceDir},
    {"ConvertLow", &P::ConvertLow},
    {"BackgroundImagePath", &P::BackgroundImagePath},
    {"SortedList", &P::SortedList},
    {"ImageFolder", &P::ImageFolder},
    {"ResizeImages", &P::ResizeImages},
    {"ImgWidth", &P::ImgWidth},
    {"ImgHeight", &P::ImgHeight},
    {"KeepImgAspect", &P::KeepImgAspect},
    {"JPEGQuality", &P::JPEGQuality},
    {"ImgResizeMethod", &P::ImgResizeMethod},
    {"ProgressiveImg", &P::ProgressiveImg},
    {"ThumbFolder", &P::ThumbFolder},
    {"ThumbPrefix", &P::ThumbPrefix},
    {"ThumbSuffix", &P::ThumbSuffix},
    {"ThumbWidth", &P::ThumbWidth},
    {"ThumbHeight", &P::ThumbHeight},
    {"ThumbQuality", &P::ThumbQuality},
    {"ThumbResizeMethod", &P::ThumbResizeMethod},
    {"KeepThumbAspect", &P::KeepThumbAspect},
    {"ProgressiveThumb", &P::ProgressiveThumb},
    {"TableAutoWidth", &P::TableAutoWidth},
    {"Alignment", &P::Alignment},
    {"TableWidthInPixels", &P::TableWidthInPixels},
    {"TableWidthInPercents", &P::TableWidthInPercents},
    {"TableWidthPx", &P::TableWidthPx},
    {"TableWidthPer", &P::TableWidthPer},
    {"TableBorder", &P::TableBorder},
    {"TableCols", &P::TableCols},
    {"TableRows", &P::TableRows},
    {"CellSpacing", &P::CellSpacing},
    {"CellPadding", &P::CellPadding},
    {"NavFontSize", &P::NavFontSize},
    {"JumpMenu", &P::JumpMenu},
    {"MarginLeft", &P::MarginLeft},
    {"MarginRight", &P::MarginRight},
    {"MarginTop", &P::MarginTop},
    {"MarginBottom", &P::MarginBottom},
    {"BorderColor", &P::BorderColor},
    {"TableHeaderColor", &P::TableHeaderColor},
    {"TableHeaderTextColor", &P::TableHeaderTextColor},
    {"LinkColor", &P::LinkColor},
    {"ActiveLinkColor", &P::ActiveLinkColor},
    {"VisitedLinkColor", &P::VisitedLinkColor},
    {"HoverColor", &P::HoverColor},
    {"BackColor", &P::BackColor},
    {"TextColor", &P::TextColor},
    {"DocTitle", &P::DocTitle},
    {"TopTitle", &P::TopTitle},
    {"BottomTitle", &P::BottomTitle},
    {"TopTitleSize", &P::TopTitleSize},
    {"BottomTitleSize", &P::BottomTitleSize},
    {"PageText", &P::PageText},
    {"GalleryText", &P::GalleryText},
    {"PreviousText", &P::PreviousText},
    {"NextText", &P::NextText},
    {"OfText", &P::OfText},
    {"JumpToText", &P::JumpToText},
    {"Encoding", &P::Encoding},
    {"FontFamily", &P::FontFamily},
    {"LinksTarget", &P::LinksTarget},
    {"OverwriteMode", &P::OverwriteMode},
    {"ShowWhenReady", &P::ShowWhenReady},
    {"ImageMetadata", &P::ImageMetadata},
    {"ThumbMetadata", &P::ThumbMetadata},
    {"PageStyle", &P::PageStyle},
    {"PageLanguage", &P::PageLanguage},
    {"SiteAddress", &P::SiteAddress},
}};

bool parseFlag(const std::string& value, bool& result) {
    if (value == "true" || value == "1") {
        result = true;
        return true;
    }
    if (value == "false" || value == "0") {
        result = false;
        return true;
    }
    return false;
}

bool parseInteger(const std::string& value, std::int32_t& result) {
    const char* begin = value.data();
    const char* end = begin + value.size();
    if (begin != end && *begin == '+') {
        ++begin;
    }
    const auto [ptr, ec] = std::from_chars(begin, end, result);
    return ec == std::errc() && ptr == end && begin != end;
}

// The page settings take only what the pages can use.
void checkPageSetting(const std::string& name, const std::string& value) {
    if (name == "PageStyle" && !parsePageStyle(value)) {
        throw Error("'" + value + "' is not a valid choice for PageStyle (use classic or modern)");
    }
    if (name == "PageLanguage" && !IsLanguageTag(value)) {
        throw Error("'" + value + "' is not a language tag for PageLanguage (such as en or de-CH)");
    }
    if (name == "SiteAddress" && !value.empty() && !IsSiteAddress(value)) {
        throw Error("'" + value +
                    "' is not a web address for SiteAddress (such as https://example.org/trip/)");
    }
}

} // namespace

std::span<const ProjectField> projectFields() { return kFields; }

const ProjectField* findProjectField(const std::string& name) {
    for (const ProjectField& field : kFields) {
        if (name == field.name) {
            return &field;
        }
    }
    return nullptr;
}

std::string fieldValueText(const TProject& project, const ProjectField& field) {
    struct Visitor {
        const TProject& p;
        std::string operator()(bool TProject::*m) const { return p.*m ? "true" : "false"; }
        std::string operator()(std::int32_t TProject::*m) const { return std::to_string(p.*m); }
        std::string operator()(Text TProject::*m) const { return (p.*m).str(); }
        std::string operator()(MetadataChoice TProject::*m) const {
            return metadataChoiceName(p.*m);
        }
    };
    return std::visit(Visitor{project}, field.member);
}

void setFieldFromText(TProject& project, const ProjectField& field, const std::string& value) {
    const std::string name = field.name;
    struct Visitor {
        TProject& p;
        const std::string& name;
        const std::string& value;
        void operator()(bool TProject::*m) const {
            bool parsed = false;
            if (!parseFlag(value, parsed)) {
                throw Error("'" + value + "' is not a valid flag for " + name +
                            " (use true, false, 1 or 0)");
            }
            p.*m = parsed;
        }
        void operator()(std::int32_t TProject::*m) const {
            std::int32_t parsed = 0;
            if (!parseInteger(value, parsed)) {
                throw Error("'" + value + "' is not a valid 32-bit integer for " + name);
            }
            p.*m = parsed;
        }
        void operator()(Text TProject::*m) const {
            checkPageSetting(name, value);
            p.*m = value;
        }
        void operator()(MetadataChoice TProject::*m) const {
            const auto parsed = parseMetadataChoice(value);
            if (!parsed) {
                throw Error("'" + value + "' is not a valid choice for " + name +
                            " (use all, nolocation or profile)");
            }
            p.*m = *parsed;
        }
    };
    std::visit(Visitor{project, name, value}, field.member);
}

} // namespace fotoplex
