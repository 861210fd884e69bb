#pragma once

#include <cstdint>
#include <vector>

#include "stats/ResultTables.h"

namespace kalderon {

// The entry of a row at risk from time 0 on.  A row with entryDays e >= 0
// entered late: it is at risk from time e + 1 on, so that a case whose
// follow-up began the day before a period (e = 0) is not at risk at time 0.
constexpr std::int32_t kAtRiskFromStart = -1;

// Whether a row is under observation at time `days` (in days) as far as its
// entry goes: from time 0 on, or only after its entry day.
inline bool EnteredBy(const CTimePointResult& row, double days)
{
    return (row.entryDays == 0 && !row.enteredLate) || row.entryDays < days;
}

// Number at risk at every row of a time-ordered product-limit table with
// delayed entry: the row itself plus every later row whose entry lies before
// the row's time v (entryDays < v).
std::vector<std::int32_t> CountAtRiskWithDelayedEntry(const std::vector<CTimePointResult>& rows);

}  // namespace kalderon
