#pragma once

#include "stats/AnalysisData.h"
#include "stats/CaseList.h"
#include "stats/Refusal.h"

namespace kalderon {

// Trend in n-year survival by starting year of period: a period of
// periodWidth years moves one year at a time over the observation window;
// each position runs a period analysis with the chosen technique and gives
// one row per group (starting year, exposure at period start and end,
// survivalYears-year survival).  The record becomes that of the last
// period's run (its period, counts and tables) with every group's
// intervalTable replaced by its trend table.
//
// Refused, with nothing changed but the title, for a time unit other than
// years, for n or a width below 1, and for what a period analysis refuses.
[[nodiscard]] Refusal ComputeTrend(CAnalysisData& data, const CaseList& cases, bool stratified);

}  // namespace kalderon
