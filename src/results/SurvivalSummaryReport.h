#pragma once

#include <optional>

#include "results/ComparisonReport.h"
#include "stats/ConditionalSurvival.h"
#include "stats/RestrictedMeanSurvival.h"
#include "stats/SurvivalAtTimes.h"

namespace kalderon {

// What was asked for beside the curves of an analysis: their values at
// chosen times, the conditional survival, the restricted mean survival time.
struct SurvivalSummaries {
    std::optional<SurvivalAtTimes> atTimes;
    std::optional<ConditionalSurvival> conditional;
    std::optional<RestrictedMeanSurvival> restrictedMean;

    bool empty() const { return !atTimes && !conditional && !restrictedMean; }
};

// The sections of the results report (after the report and the comparison
// of groups, starting with their empty lines) and their export, a
// semicolon-separated text of its own with lines ended by "\n"; empty texts
// when nothing was asked for.
ComparisonTexts WriteSurvivalSummaries(const SurvivalSummaries& summaries, const std::string& ciLevelText);

}  // namespace kalderon
