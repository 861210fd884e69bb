#include "stats/NetSurvivalTables.h"

#include <algorithm>
#include <cmath>

#include "resources/Texts.h"
#include "stats/GroupCounters.h"
#include "stats/NetSurvivalCases.h"
#include "stats/TimeUnit.h"

namespace kalderon {
namespace {

bool IsDefined(const CGroupResult& group)
{
    const auto finite = [](double v) { return std::isfinite(v); };
    return std::all_of(group.netCumulativeHazard.begin(), group.netCumulativeHazard.end(), finite) &&
           std::all_of(group.netHazardVariance.begin(), group.netHazardVariance.end(), finite);
}

template <typename Row>
void PutNetSurvival(Row& row, const NetSurvivalCurve& curve, std::int32_t day, double z, double& maxUpper,
                    std::int32_t hiddenFromDay = -1)
{
    if (hiddenFromDay >= 0 && day >= hiddenFromDay) {
        row.hasRelativeSurvival = 0;
        row.hasStandardError = 0;
        return;
    }
    row.relativeSurvival = curve.SurvivalAt(day);
    row.standardError = curve.StandardErrorAt(day);
    // Net survival may exceed 1, so that both limits are clipped to 0 .. 1.
    row.lowerLimit = std::clamp(row.relativeSurvival - z * row.standardError, 0.0, 1.0);
    row.upperLimit = std::clamp(row.relativeSurvival + z * row.standardError, 0.0, 1.0);
    row.hasStandardError = 1;
    maxUpper = std::max({maxUpper, row.relativeSurvival, row.upperLimit});
}

Refusal PutCurvesIntoTables(CAnalysisData& data, bool stratified)
{
    const int analysed = std::min(AnalysedGroupCount(data, stratified), static_cast<int>(data.groupResults.size()));
    const double unitDays = UnitDays(data.timeUnit);
    const double z = ZValue(data.ciLevelText);
    data.maxRelativeUpper = 1.0;
    for (int g = 0; g < analysed; ++g) {
        CGroupResult& group = data.groupResults[g];
        if (!IsDefined(group)) return text::kNetSurvivalUndefined;
        const NetSurvivalCurve curve{group.netCumulativeHazard, group.netHazardVariance};
        group.netUnstableFromDay = curve.FirstUnstableDay();
        const std::int32_t hidden = data.netSurvivalRaw ? -1 : group.netUnstableFromDay;
        std::vector<CIntervalResult>& rows = group.intervalTable.rows;
        for (size_t i = 0; i < rows.size(); ++i)
            PutNetSurvival(rows[i], curve, LastDayOfInterval(i, unitDays), z, data.maxRelativeUpper, hidden);
        for (CTimePointResult& t : group.timePoints)
            if (t.statusText == data.eventCode)
                PutNetSurvival(t, curve, t.survivalDays, z, data.maxRelativeUpper, hidden);
    }
    return std::nullopt;
}

}  // namespace

void PutNetSurvivalAt(CIntervalResult& row, const CGroupResult& group, std::int32_t day, double z,
                      std::int32_t hiddenFromDay)
{
    double maxUpper = 1.0;
    PutNetSurvival(row, NetSurvivalCurve{group.netCumulativeHazard, group.netHazardVariance}, day, z, maxUpper,
                   hiddenFromDay);
}

std::int32_t LastDayOfInterval(std::size_t index, double unitDays)
{
    auto day = static_cast<std::int32_t>(std::floor(static_cast<double>(index + 1) * unitDays));
    while (day > 0 && static_cast<size_t>(static_cast<int>(day / unitDays)) > index) --day;
    return day;
}

Refusal PutNetSurvivalIntoCohortTables(CAnalysisData& data, const CaseList& cases, bool stratified)
{
    ComputeNetSurvivalCohort(data, cases, stratified);
    return PutCurvesIntoTables(data, stratified);
}

Refusal PutNetSurvivalIntoPeriodTables(CAnalysisData& data, const CaseList& cases, bool stratified)
{
    ComputeNetSurvivalPeriod(data, cases, stratified);
    return PutCurvesIntoTables(data, stratified);
}

}  // namespace kalderon
