#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "stats/ResultTables.h"

namespace kalderon {

// A survival time read off a product-limit curve, with the times its lower
// and upper confidence limits give; each is absent when its curve never
// comes down to the probability.
struct SurvivalTimeEstimate {
    std::optional<double> time;
    std::optional<double> lower;
    std::optional<double> upper;
};

// The times by which 25 %, 50 % (the median) and 75 % of the cases of a
// group have died, in the analysis's time unit.
struct GroupQuartiles {
    std::string code;
    std::array<SurvivalTimeEstimate, 3> quartiles;
};

inline constexpr std::array<double, 3> kQuartileShares = {0.25, 0.5, 0.75};

// The quartiles of one product-limit table (rows in time order, as the
// computation leaves them).  The time of probability 1 - p is where the
// curve first comes down to it; a curve equal to it (within 1.5e-8) over a
// whole step gives the middle of that step, which ends at the next drop or
// at the last observation.  The limits are read the same way off the lower
// and upper limit of the observed survival (S -/+ z SE, the plain limits);
// where a death leaves nobody at risk the limits do not exist.
std::array<SurvivalTimeEstimate, 3> ProductLimitQuartiles(const std::vector<CTimePointResult>& rows,
                                                         const std::string& eventCode, double z,
                                                         double unitDays);

}  // namespace kalderon
