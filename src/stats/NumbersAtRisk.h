#pragma once

#include <cstdint>
#include <vector>

#include "stats/ResultTables.h"

namespace kalderon {

// Cases of a product-limit table still under observation at each of the
// times (ascending, in units of unitDays days): a row counts at time t when
// its survival time reaches t and it entered before t, a row that entered on
// day 0 from the start.  Times are compared as survivalDays / unitDays, the
// way the curves are placed on the time axis.
std::vector<std::int64_t> NumbersAtRisk(const std::vector<CTimePointResult>& rows, const std::vector<double>& times,
                                        double unitDays);

}  // namespace kalderon
