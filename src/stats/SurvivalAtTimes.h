#pragma once

#include <optional>
#include <string>
#include <vector>

#include "stats/AnalysisData.h"
#include "stats/Refusal.h"

namespace kalderon {

// The value of a group's survival curve at one time, with the columns its
// table has: the observed cumulative survival and, with relative survival,
// the expected and the relative (or net) survival; the standard error and
// the limits are those of the relative (net) survival when there is one.
struct CurveValue {
    bool inFollowUp = true;         // false: the time lies after the group's last observation
    std::optional<double> atRisk;   // cases under follow-up at the time; none where the table has no counts
    double cumulativeSurvival = 1.0;
    double expectedSurvival = 1.0;
    double relativeSurvival = 1.0;
    double standardError = 0.0;
    double lowerLimit = 1.0;
    double upperLimit = 1.0;
    bool hasStandardError = false;

    // The survival the standard error and the limits belong to.
    double Survival(bool relative) const { return relative ? relativeSurvival : cumulativeSurvival; }
};

struct GroupCurveValues {
    std::string code;
    std::vector<CurveValue> values;  // one per time
};

// The curves of the analysed groups read off at chosen times (in the
// analysis's time unit).
struct SurvivalAtTimes {
    std::vector<double> times;
    std::int32_t timeUnit = 0;
    bool relative = false;
    bool netSurvival = false;
    bool severalGroups = false;
    std::vector<GroupCurveValues> groups;
};

// Whether the tables of an analysis of this kind are product-limit time
// points (else intervals).
bool HasTimePoints(AnalysisKind kind, std::int32_t periodTechnique);

// Whether an analysis of this kind can read its curves at chosen times: the
// life table, the product-limit and the period analysis.
bool HasSurvivalAtTimes(AnalysisKind kind);

// The times a table of survival at chosen times shows unless others are
// chosen: 1, 3, 5 and 10 years in the unit.
std::vector<double> DefaultChosenTimes(std::int32_t timeUnit);

// What the chosen times cannot be: none, a time not above 0, and for the
// tables of intervals a time that is no interval end (a whole number of
// units).  Nothing when they fit.
Refusal ChosenTimesRefusal(const std::vector<double>& times, bool intervals);

// The value of one group's curve at `time` units.  A product-limit curve is
// a step function: the values of the last death at or before the time, 1
// before the first death; the cases at risk are those under follow-up at the
// time (entered before it, ended at it or later).  An interval table gives
// the cumulative values at the end of the interval ending at the time and
// the cases entering the next interval (in a period analysis, within the
// period).
CurveValue CurveValueAt(const CAnalysisData& data, const CGroupResult& group, AnalysisKind kind, double time);

// The curves of the analysed groups of `data`, computed by `kind`, at the
// times (checked by ChosenTimesRefusal).
SurvivalAtTimes ReadSurvivalAtTimes(const CAnalysisData& data, AnalysisKind kind, bool stratified,
                                    const std::vector<double>& times);

// The analysed groups of a computation: those with records read.
std::vector<const CGroupResult*> AnalysedGroups(const CAnalysisData& data, bool stratified);

}  // namespace kalderon
