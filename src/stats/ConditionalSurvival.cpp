#include "stats/ConditionalSurvival.h"

#include <algorithm>
#include <cmath>

#include "stats/ConfidenceLimits.h"
#include "stats/TimeUnit.h"

namespace kalderon {
namespace {

double SquaredRelativeError(const CurveValue& value, bool relative)
{
    const double survival = value.Survival(relative);
    return survival > 0.0 ? std::pow(value.standardError / survival, 2) : 0.0;
}

}  // namespace

CurveValue ConditionalValue(const CurveValue& atFrom, const CurveValue& atTime, bool relative, bool netSurvival,
                            double z)
{
    CurveValue value;
    value.atRisk = atTime.atRisk;
    if (!atFrom.inFollowUp || !atTime.inFollowUp || !(atFrom.Survival(relative) > 0.0) ||
        !(atFrom.cumulativeSurvival > 0.0)) {
        value.inFollowUp = false;
        return value;
    }
    value.cumulativeSurvival = atTime.cumulativeSurvival / atFrom.cumulativeSurvival;
    value.expectedSurvival = atTime.expectedSurvival / atFrom.expectedSurvival;
    value.relativeSurvival = atTime.relativeSurvival / atFrom.relativeSurvival;
    value.hasStandardError = atFrom.hasStandardError && atTime.hasStandardError;
    const double survival = value.Survival(relative);
    const double variance =
        std::max(0.0, SquaredRelativeError(atTime, relative) - SquaredRelativeError(atFrom, relative));
    value.standardError = value.hasStandardError ? survival * std::sqrt(variance) : 0.0;
    if (netSurvival) {
        value.lowerLimit = std::clamp(survival - z * value.standardError, 0.0, 1.0);
        value.upperLimit = std::clamp(survival + z * value.standardError, 0.0, 1.0);
    } else {
        // Relative limits are the observed ones divided by the expected survival.
        const double expected = relative ? value.expectedSurvival : 1.0;
        const SurvivalLimits limits =
            ObservedLimits(value.cumulativeSurvival, value.standardError * expected, z);
        value.lowerLimit = limits.lower / expected;
        value.upperLimit = limits.upper / expected;
    }
    return value;
}

ConditionalSurvival ReadConditionalSurvival(const CAnalysisData& data, AnalysisKind kind, bool stratified,
                                            double from, const std::vector<double>& times)
{
    std::vector<double> after;
    for (const double time : times) after.push_back(from + time);
    ConditionalSurvival conditional{from, ReadSurvivalAtTimes(data, kind, stratified, after)};
    const SurvivalAtTimes& table = conditional.afterFrom;
    const double z = ZValue(data.ciLevelText);
    size_t g = 0;
    for (const CGroupResult* group : AnalysedGroups(data, stratified)) {
        const CurveValue atFrom = CurveValueAt(data, *group, kind, from);
        for (CurveValue& value : conditional.afterFrom.groups[g].values)
            value = ConditionalValue(atFrom, value, table.relative, table.netSurvival, z);
        ++g;
    }
    return conditional;
}

CAnalysisData WithConditionalCurves(const CAnalysisData& data, AnalysisKind kind, double from)
{
    CAnalysisData conditional = data;
    const bool relative = data.relativeSurvival != 0;
    const bool net = data.UsesNetSurvival();
    const bool timePoints = HasTimePoints(kind, data.periodTechnique);
    const double z = ZValue(data.ciLevelText);
    const double fromDays = from * UnitDays(data.timeUnit);
    conditional.maxRelativeUpper = 1.0;
    for (const CGroupResult* source : AnalysedGroups(data, true)) {
        CGroupResult& group = conditional.groupResults[static_cast<size_t>(source - data.groupResults.data())];
        const CurveValue atFrom = CurveValueAt(data, *source, kind, from);
        const auto divide = [&](auto& row) {
            CurveValue value = ConditionalValue(atFrom, CurveValue{true, std::nullopt, row.cumulativeSurvival,
                                                                   row.expectedSurvival, row.relativeSurvival,
                                                                   row.standardError, row.lowerLimit,
                                                                   row.upperLimit, row.hasStandardError != 0},
                                                relative, net, z);
            row.cumulativeSurvival = value.cumulativeSurvival;
            row.expectedSurvival = value.expectedSurvival;
            row.relativeSurvival = value.relativeSurvival;
            row.standardError = value.standardError;
            row.lowerLimit = value.lowerLimit;
            row.upperLimit = value.upperLimit;
            row.hasStandardError = value.hasStandardError ? 1 : 0;
            conditional.maxRelativeUpper =
                std::max({conditional.maxRelativeUpper, row.upperLimit, row.relativeSurvival});
        };
        if (timePoints) {
            std::vector<CTimePointResult>& rows = group.timePoints;
            std::erase_if(rows, [&](const CTimePointResult& row) { return row.survivalDays <= fromDays; });
            for (CTimePointResult& row : rows)
                if (row.statusText == data.eventCode) divide(row);
        } else {
            // Up to X the conditional survival is 1, without a confidence bar.
            for (CIntervalResult& row : group.intervalTable.rows) {
                if (row.intervalNumber > from) {
                    divide(row);
                    continue;
                }
                row.cumulativeSurvival = row.expectedSurvival = row.relativeSurvival = 1.0;
                row.standardError = row.exposedToRisk = 0.0;
                row.lowerLimit = row.upperLimit = 1.0;
            }
        }
    }
    return conditional;
}

}  // namespace kalderon
