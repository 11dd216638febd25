#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>

#include "project/TProject.h"

namespace fotoplex {

// One setting of TProject by name, for tools that address settings as text.
struct ProjectField {
    const char* name;
    std::variant<bool TProject::*, std::int32_t TProject::*, Text TProject::*,
                 MetadataChoice TProject::*>
        member;
};

// Every setting: TargetDir to ShowWhenReady in declared order, then the extension settings.
std::span<const ProjectField> projectFields();

const ProjectField* findProjectField(const std::string& name);

// The value as text: flags "true"/"false", integers in decimal, texts as stored, metadata
// choices as their words.
std::string fieldValueText(const TProject& project, const ProjectField& field);

// Stores a value given as text. Flags take true/false/1/0, integers any 32-bit value,
// metadata choices all/nolocation/profile.
// A malformed value raises an error naming the setting and the value.
void setFieldFromText(TProject& project, const ProjectField& field, const std::string& value);

} // namespace fotoplex
