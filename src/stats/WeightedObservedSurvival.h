#pragma once

#include <vector>

#include "stats/AgeStandardisation.h"
#include "stats/NetSurvival.h"

namespace kalderon {

// Observed survival of weighted cases (each at risk on the days firstDay ..
// lastDay, dying on lastDay when `died`) at the end of each of `intervals`
// intervals of unitDays days.  An interval that nobody reaches has no
// estimate; once the survival has reached 0 the standard error has none
// (NaN).  The standard errors are the infinitesimal jackknife's: the square
// root of the sum over the cases of (weight x the derivative of the estimate
// by the weight)^2, as for case weights in R's survfit.

// The product-limit estimate over days: on each day 1 - deaths / at risk,
// both summed over the weights.
std::vector<AgeGroupEstimate> WeightedProductLimit(const std::vector<NetSurvivalCase>& cases, int intervals,
                                                   double unitDays);
// Observed survival at the ends of the intervals and, for a curve over the
// days, at the end of every day 0 .. the last day any case is at risk.
struct WeightedObservedEstimates {
    std::vector<AgeGroupEstimate> intervals;
    std::vector<AgeGroupEstimate> days;
};
// The product-limit estimate at both, from one walk over the days.
WeightedObservedEstimates WeightedProductLimitWithDays(const std::vector<NetSurvivalCase>& cases, int intervals,
                                                       double unitDays);

// The life table: a case is counted in the intervals as the life table
// counts a follow-up of lastDay days, less (when firstDay > 0) a follow-up
// censored after firstDay - 1 days, the period analysis's two cuts.  Each
// interval's survival is 1 - deaths / (entered - censored / 2) over the
// weights, 0 when the deaths reach the exposed to risk.
std::vector<AgeGroupEstimate> WeightedLifeTable(const std::vector<NetSurvivalCase>& cases, int intervals,
                                                double unitDays);

}  // namespace kalderon
