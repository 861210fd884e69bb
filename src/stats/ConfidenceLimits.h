#pragma once

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

}  // namespace kalderon
