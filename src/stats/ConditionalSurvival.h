#pragma once

#include <vector>

#include "stats/SurvivalAtTimes.h"

namespace kalderon {

// Survival given survival to a time X: the curve divided by its value at X,
// for the times after X.  Its variance keeps the Greenwood terms (for net
// survival those of the cumulative hazard) of the times after X only: the
// squared relative standard error at t less that at X.  This is the estimate
// of the cases still under follow-up at X, followed on from X.
struct ConditionalSurvival {
    double from = 0.0;           // X, in the analysis's time unit
    SurvivalAtTimes afterFrom;   // at X + each chosen time
};

// The value at `time` given survival to `from`; relative and net selects the
// survival the standard error belongs to, as in the tables.  A curve at 0 at
// X, or a time outside the follow-up, gives a value that is not in follow-up.
CurveValue ConditionalValue(const CurveValue& atFrom, const CurveValue& atTime, bool relative, bool netSurvival,
                            double z);

// The conditional survival of the analysed groups at X + each of the times
// (checked by ChosenTimesRefusal, as is X for interval tables).
ConditionalSurvival ReadConditionalSurvival(const CAnalysisData& data, AnalysisKind kind, bool stratified,
                                            double from, const std::vector<double>& times);

// A copy of the analysis record whose tables hold the conditional curves,
// which are 1 up to X and leave 1 at X: time points and intervals after X
// divided by the value at X, the time points up to X dropped, the intervals
// up to X at 1 without exposure (so without a confidence bar).
// The groups are those with records read, the analysed ones.
CAnalysisData WithConditionalCurves(const CAnalysisData& data, AnalysisKind kind, double from);

}  // namespace kalderon
