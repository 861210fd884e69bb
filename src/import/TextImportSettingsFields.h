#pragma once

#include <string>
#include <utility>
#include <vector>

#include "import/TextImportSettings.h"

namespace kalderon {

// The text import settings as named texts, to be kept between imports
// ("format" "1", "separator" ";", "beginColumn" "2", "useGroup" "1", ...);
// "firstLineNames" and "quotedFields" only when they are on.
std::vector<std::pair<std::string, std::string>> SettingsFields(const TextImportSettings& settings);

// Takes one named text back; unknown names and values the wizard could not
// hold (a format other than 0 or 1, a separator of more than one character,
// a number outside 0..99999, a pattern of more than 64 characters) leave the
// settings as they are.
void ApplySettingsField(TextImportSettings& settings, const std::string& name, const std::string& value);

}  // namespace kalderon
