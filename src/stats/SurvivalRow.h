#pragma once

#include "stats/ConfidenceLimits.h"

namespace kalderon {

// Writes the cumulative survival of a result row (interval or time point)
// with its standard error and confidence limits.  A row without a standard
// error gets 0 and limits at the survival itself.  Relative survival, which
// divides standard error and limits by the expected survival, builds on this.
template <class Row>
void StoreObservedSurvival(Row& row, double survival, double standardError, bool hasStandardError, double z)
{
    const SurvivalLimits limits = ObservedLimits(survival, standardError, z);
    row.cumulativeSurvival = survival;
    row.standardError = standardError;
    row.lowerLimit = limits.lower;
    row.upperLimit = limits.upper;
    row.hasStandardError = hasStandardError ? 1 : 0;
}

}  // namespace kalderon
