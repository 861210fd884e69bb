#pragma once

#include <cstdint>
#include <vector>

#include "stats/ResultTables.h"

namespace kalderon {

// Number at risk at every row of a time-ordered product-limit table with
// delayed entry: the row itself plus every later row whose entry lies before
// the row's time v (entryDays < v; for v = 0 the rows with entryDays 0).
std::vector<std::int32_t> CountAtRiskWithDelayedEntry(const std::vector<CTimePointResult>& rows);

}  // namespace kalderon
