#pragma once

#include <cstdint>

#include "stats/AnalysisData.h"
#include "stats/CaseList.h"
#include "stats/Refusal.h"

namespace kalderon {

// The last whole day of follow-up that interval `index` (from 0) holds for
// intervals of unitDays days, as the interval counts assign days.
std::int32_t LastDayOfInterval(std::size_t index, double unitDays);

// With data.netSurvival, replaces the relative survival of the result
// tables just computed (interval rows and time points of the first r groups)
// by the Pohar-Perme net survival at the end of each interval or at each
// time point, with its standard error and limits; the expected survival
// beside it stays.  The cohort form serves the life table and product-limit,
// the period form the period analysis.  Refused where the net survival is
// not defined: a case under observation met a yearly survival probability
// of 0.
[[nodiscard]] Refusal PutNetSurvivalIntoCohortTables(CAnalysisData& data, const CaseList& cases, bool stratified);
[[nodiscard]] Refusal PutNetSurvivalIntoPeriodTables(CAnalysisData& data, const CaseList& cases, bool stratified);

// The net survival of a group whose tables have just been filled so, at the
// end of follow-up day `day`, into a trend row (z: the normal quantile); not
// from `hiddenFromDay` on (when not negative), where it cannot be trusted.
void PutNetSurvivalAt(CIntervalResult& row, const CGroupResult& group, std::int32_t day, double z,
                      std::int32_t hiddenFromDay);

}  // namespace kalderon
