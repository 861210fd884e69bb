#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "stats/AgeStandardisation.h"
#include "stats/AnalysisData.h"
#include "stats/CaseList.h"

namespace kalderon {

// The valid cases of each ICSS age group (0 .. 4) as a case list of its own,
// with the same groups: what the tables of the age groups are computed on.
std::array<CaseList, kIcssAgeGroups> CasesByIcssAgeGroup(const CaseList& cases);

// The analysis of `kind` (kLifeTable, or kPeriodAnalysis with the life table
// technique) with relative survival (`data` with the
// population table loaded) run per ICSS age group, once for Ederer II and
// once for net survival, and standardised with the weights of `standard` at
// the end of every interval of the table of all ages (data.maxObservationDays
// in intervals of data.timeUnit).
std::vector<StandardisedGroup> StandardiseSurvival(const CAnalysisData& data, const CaseList& cases, AnalysisKind kind,
                                                   bool stratified, std::int32_t standard);

// The same with Brenner's weights for the life table, the product-limit
// (observed survival at the ends of the intervals of data.timeUnit) and the
// period analysis with data.periodTechnique: one estimate per analysed group
// of its weighted cases.
std::vector<StandardisedGroup> StandardiseSurvivalBrenner(const CAnalysisData& data, const CaseList& cases,
                                                          AnalysisKind kind, bool stratified, std::int32_t standard);

}  // namespace kalderon
