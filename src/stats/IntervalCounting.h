#pragma once

#include <string>
#include <vector>

#include "stats/ResultTables.h"

namespace kalderon {

// Counts one case with follow-up time `days` (>= 0) into interval counts:
// entered in intervals 0..k, then dead or censored in interval k, where
// k = (int)(days / unitDays).
inline void CountIntoIntervals(std::vector<CIntervalCounts>& counts, double days, bool isEvent, double unitDays)
{
    const auto k = static_cast<size_t>(static_cast<int>(days / unitDays));
    for (size_t i = 0; i <= k && i < counts.size(); ++i) counts[i].entered += 1;
    if (k < counts.size()) (isEvent ? counts[k].dead : counts[k].censored) += 1;
}

}  // namespace kalderon
