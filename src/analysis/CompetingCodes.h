#pragma once

#include <string>
#include <vector>

#include "stats/AnalysisData.h"
#include "stats/Refusal.h"

namespace kalderon {

// The codes of a list such as "2,3"; an empty text names none.
std::vector<std::string> SplitCodes(const std::string& text);

// Sets the codes of the event of interest and of the competing events of a
// cumulative incidence analysis; refused (and the record left as it was)
// without an event code or when a code is named twice.
Refusal SetCompetingCodes(CAnalysisData& data, const std::vector<std::string>& eventCodes,
                          const std::vector<std::string>& competingCodes);

// The codes among `codes` that no status code of the data set equals.
std::vector<std::string> CodesNotSeen(const CAnalysisData& data, const std::vector<std::string>& codes);

}  // namespace kalderon
