#pragma once

#include <cstdint>
#include <vector>

#include "analysis/AgeStandardisedSurvival.h"
#include "stats/AnalysisData.h"

namespace kalderon {

// The record the chart of an age-standardised life table draws: `data`, the
// life table with relative survival, with one more series per analysed
// group after the analysed groups.  A series holds the group's standardised
// survival of `standard` where the chart draws relative survival (net
// survival with data.netSurvival, else Ederer II relative survival), the
// standardised observed survival beside it, limits from its standard error
// as net or relative survival has them, and the exposed to risk of the
// group's own row.  An interval without a standardised value has nobody
// exposed, so the curve passes over it.  Named "ICSS n", or the group's code
// and "ICSS n" when stratified.  With `timePoints` (the product-limit
// technique, Brenner's weights) a series holds the group's own time points
// instead, each event at the standardised survival of its day (the group's
// days), and without it where there is none, so that the curve ends there.
CAnalysisData WithStandardisedSeries(CAnalysisData data, const std::vector<StandardisedGroup>& groups,
                                     std::int32_t standard, bool timePoints = false);

}  // namespace kalderon
