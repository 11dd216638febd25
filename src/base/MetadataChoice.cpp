#include "base/MetadataChoice.h"

#include <array>

namespace fotoplex {

namespace {

constexpr std::array<MetadataChoice, 3> kChoices = {MetadataChoice::All, MetadataChoice::NoLocation,
                                                    MetadataChoice::Profile};

} // namespace

const char* metadataChoiceName(MetadataChoice choice) {
    switch (choice) {
    case MetadataChoice::NoLocation:
        return "nolocation";
    case MetadataChoice::Profile:
        return "profile";
    case MetadataChoice::All:
        break;
    }
    return "all";
}

std::optional<MetadataChoice> parseMetadataChoice(std::string_view word) {
    for (const MetadataChoice choice : kChoices) {
        if (word == metadataChoiceName(choice)) {
            return choice;
        }
    }
    return std::nullopt;
}

} // namespace fotoplex
