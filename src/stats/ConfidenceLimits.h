#pragma once

#include <algorithm>

namespace kalderon {

struct SurvivalLimits {
    double lower;
    double upper;
};

// Limits of a cumulative survival S with standard error se: S - z*se when
// positive (else 0) and S + z*se capped at 1.0.
inline SurvivalLimits ObservedLimits(double survival, double se, double z)
{
    const double lower = survival - z * se;
    const double upper = survival + z * se;
    return {lower > 0.0 ? lower : 0.0, upper >= 1.0 ? 1.0 : upper};
}

// Places the expected survival E beside an observed row and turns its
// standard error and limits into those of the relative survival S / E (the
// limits are not capped after the division).  Keeps the largest relative
// upper limit in maxRelativeUpper.
template <typename Row>
void DivideByExpected(Row& row, double expected, double& maxRelativeUpper)
{
    row.expectedSurvival = expected;
    row.relativeSurvival = row.cumulativeSurvival / expected;
    row.standardError /= expected;
    row.lowerLimit /= expected;
    row.upperLimit /= expected;
    maxRelativeUpper = std::max(maxRelativeUpper, row.upperLimit);
}

}  // namespace kalderon
