#pragma once

#include <string>

#include "stats/AnalysisData.h"
#include "stats/CaseList.h"

namespace kalderon {

// Trend in n-year survival by starting year of period: a period of
// periodWidth years moves one year at a time over the observation window;
// each position runs a period analysis with the chosen technique and gives
// one row per group (starting year, exposure at period start and end,
// survivalYears-year survival).  Every group's intervalTable becomes its
// trend table; periodBegin and periodEnd keep the last period.
//
// Refused (false, nothing changed but the title, the reason in `refusal`)
// for a time unit other than years and for n or a width below 1.
bool ComputeTrend(CAnalysisData& data, const CaseList& cases, bool stratified, std::string& refusal);

}  // namespace kalderon
