#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "results/ExportText.h"
#include "stats/AgeStandardisation.h"
#include "stats/AnalysisData.h"
#include "stats/CaseList.h"

namespace kalderon {

// One interval of the age-standardised table: observed, Ederer II relative
// and Pohar-Perme net survival at its end.
struct StandardisedInterval {
    std::int32_t intervalNumber = 0;
    AgeGroupEstimate observed;
    AgeGroupEstimate relative;
    AgeGroupEstimate net;
};

// The standardised table of one analysed group, with the number of its valid
// cases under 15 that are left out.
struct StandardisedGroup {
    std::string code;     // the group's code
    std::string heading;  // the group heading of the report when stratified, else empty
    std::vector<StandardisedInterval> intervals;
    std::int64_t underAge = 0;
};

// The valid cases of each ICSS age group (0 .. 4) as a case list of its own,
// with the same groups: what the tables of the age groups are computed on.
std::array<CaseList, kIcssAgeGroups> CasesByIcssAgeGroup(const CaseList& cases);

// The analysis of `kind` (kLifeTable, or kPeriodAnalysis with the life table
// technique, data.periodTechnique 0) with relative survival (`data` with the
// population table loaded) run per ICSS age group, once for Ederer II and
// once for net survival, and standardised with the weights of `standard` at
// the end of every interval of the table of all ages (data.maxObservationDays
// in intervals of data.timeUnit).
std::vector<StandardisedGroup> StandardiseSurvival(const CAnalysisData& data, const CaseList& cases, AnalysisKind kind,
                                                   bool stratified, std::int32_t standard);

// The section that follows the group sections: its report text and its
// export lines (the weights used, a header line and one line per interval,
// after the group code when there is more than one group).
struct StandardisedTexts {
    std::string report;
    ExportText exportText;
};
StandardisedTexts WriteStandardisedSection(const std::vector<StandardisedGroup>& groups, std::int32_t standard);

}  // namespace kalderon
