#pragma once

#include <cstdint>
#include <string>

#include "stats/AnalysisData.h"

namespace kalderon {

// What the parameter dialog of the interval-based analyses hands over when
// it is confirmed.
struct ParameterChoices {
    std::string eventCode;
    std::int32_t timeUnit = 0;
    std::string ciLevelText = ".95";
};

// Writes the choices into the record as confirming the dialog does: the time
// unit with the window prepared for it, the event code with its position in
// the status codes, and the confidence level into the record and into the
// interval table of every group.
void ApplyParameterChoices(CAnalysisData& data, const ParameterChoices& choices);

}  // namespace kalderon
