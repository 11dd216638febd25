#include "project/ProjectExtension.h"

#include "base/TextEncoding.h"
#include "project/TProject.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace fotoplex {

namespace {

// The extension settings this version knows, by name.
struct ExtensionSetting {
    const char* name;
    MetadataChoice TProject::*member;
};
constexpr ExtensionSetting kSettings[] = {
    {"ImageMetadata", &TProject::ImageMetadata},
    {"ThumbMetadata", &TProject::ThumbMetadata},
};

// The extension settings that are texts, kept as written; each with its default, which is
// never written.
struct TextSetting {
    const char* name;
    Text TProject::*member;
    const char* defaultValue;
};
constexpr TextSetting kTextSettings[] = {
    {"PageStyle", &TProject::PageStyle, kClassicStyleName},
    {"PageLanguage", &TProject::PageLanguage, kDefaultPageLanguage},
    {"SiteAddress", &TProject::SiteAddress, ""},
};

const TextSetting* findTextSetting(std::string_view name) {
    for (const TextSetting& setting : kTextSettings) {
        if (name == setting.name) {
            return &setting;
        }
    }
    return nullptr;
}

// A line break would end the line early: it never reaches the block.
std::string oneLine(std::string text) {
    std::erase_if(text, [](char c) { return c == '\n' || c == '\r' || c == '\0'; });
    return text;
}

const ExtensionSetting* findSetting(std::string_view name) {
    for (const ExtensionSetting& setting : kSettings) {
        if (name == setting.name) {
            return &setting;
        }
    }
    return nullptr;
}

// The lines of a well-formed text; nothing when any line is not "Name=value" with a name,
// or the last line has no line feed.
std::optional<std::vector<std::string_view>> splitLines(std::string_view text) {
    if (!isValidUtf8(text) || (!text.empty() && text.back() != '\n')) {
        return std::nullopt;
    }
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || equals == 0 ||
            line.find('\0') != std::string_view::npos) {
            return std::nullopt;
        }
        lines.push_back(line);
        text.remove_prefix(end + 1);
    }
    return lines;
}

std::optional<std::string_view> blockText(std::span<const std::uint8_t> tail) {
    if (tail.size() < kExtensionHeaderSize ||
        std::memcmp(tail.data(), kExtensionSignature, sizeof kExtensionSignature) != 0) {
        return std::nullopt;
    }
    const std::uint8_t* n = tail.data() + sizeof kExtensionSignature;
    const std::uint32_t length =
        n[0] | (n[1] << 8) | (n[2] << 16) | (static_cast<std::uint32_t>(n[3]) << 24);
    // The block ends the file: a length that misses the end is damage, as is any byte after.
    if (length > kMaxExtensionText || tail.size() - kExtensionHeaderSize != length) {
        return std::nullopt;
    }
    return std::string_view(reinterpret_cast<const char*>(n + 4), length);
}

void setDefaults(TProject& project) {
    for (const ExtensionSetting& setting : kSettings) {
        project.*setting.member = MetadataChoice::All;
    }
    for (const TextSetting& setting : kTextSettings) {
        project.*setting.member = setting.defaultValue;
    }
    project.UnknownExtensionLines.clear();
}

} // namespace

std::vector<std::uint8_t> extensionBlock(const TProject& project) {
    std::string text;
    for (const ExtensionSetting& setting : kSettings) {
        const MetadataChoice value = project.*setting.member;
        if (value != MetadataChoice::All) {
            text += std::string(setting.name) + "=" + metadataChoiceName(value) + "\n";
        }
    }
    for (const TextSetting& setting : kTextSettings) {
        const std::string& value = (project.*setting.member).str();
        if (value != setting.defaultValue) {
            text += std::string(setting.name) + "=" + oneLine(value) + "\n";
        }
    }
    // A value this version could not read stays as written, unless its setting now holds a
    // value of its own, written above.
    const std::string known = "\n" + text;
    for (const std::string& line : project.UnknownExtensionLines) {
        // Appended, not concatenated: GCC 12 sees overlapping copies in "\n" + std::string.
        std::string start = "\n";
        start.append(line, 0, line.find('=') + 1);
        if (known.find(start) == std::string::npos) {
            text += line + "\n";
        }
    }
    if (text.empty()) {
        return {};
    }
    std::vector<std::uint8_t> block(std::begin(kExtensionSignature), std::end(kExtensionSignature));
    const auto length = static_cast<std::uint32_t>(text.size());
    for (int shift = 0; shift < 32; shift += 8) {
        block.push_back(static_cast<std::uint8_t>((length >> shift) & 0xFF));
    }
    block.insert(block.end(), text.begin(), text.end());
    return block;
}

void readExtensionBlock(TProject& project, std::span<const std::uint8_t> tail) {
    setDefaults(project);
    const std::optional<std::string_view> text = blockText(tail);
    const auto lines = text ? splitLines(*text) : std::nullopt;
    if (!lines) {
        return;
    }
    for (const std::string_view line : *lines) {
        const std::size_t equals = line.find('=');
        if (const ExtensionSetting* setting = findSetting(line.substr(0, equals))) {
            if (const auto choice = parseMetadataChoice(line.substr(equals + 1))) {
                project.*setting->member = *choice;
            } else {
                // A value of a later version: the setting keeps its default here, and the line
                // is written back as it was.
                project.UnknownExtensionLines.emplace_back(line);
            }
        } else if (const TextSetting* textSetting = findTextSetting(line.substr(0, equals))) {
            project.*textSetting->member = std::string(line.substr(equals + 1));
        } else {
            project.UnknownExtensionLines.emplace_back(line);
        }
    }
}

} // namespace fotoplex
