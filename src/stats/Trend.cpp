#include "stats/Trend.h"

#include <algorithm>

#include "resources/Texts.h"
#include "stats/ExpectedSurvival.h"
#include "stats/GroupCounters.h"
#include "stats/NetSurvivalTables.h"
#include "stats/PeriodAnalysis.h"
#include "stats/TimeUnit.h"

namespace kalderon {
namespace {

void CopyEstimate(CIntervalResult& to, double exposedToRisk, const auto& from)
{
    to.exposedToRisk = exposedToRisk;
    to.cumulativeSurvival = from.cumulativeSurvival;
    to.expectedSurvival = from.expectedSurvival;
    to.relativeSurvival = from.relativeSurvival;
    to.standardError = from.standardError;
    to.lowerLimit = from.lowerLimit;
    to.upperLimit = from.upperLimit;
    to.hasStandardError = from.hasStandardError;
    to.hasRelativeSurvival = from.hasRelativeSurvival;
}

// n-year survival from the interval rows of a life table technique run: the
// n-th row, or a negated exposure at start when the run stopped before it.
CIntervalResult FromIntervalRows(const std::vector<CIntervalResult>& rows, int years, int startYear)
{
    CIntervalResult trend;
    trend.intervalNumber = startYear;
    const auto n = static_cast<size_t>(years);
    if (rows.size() >= n) {
        trend.reserved = rows[0].exposedToRisk;
        CopyEstimate(trend, rows[n - 1].exposedToRisk, rows[n - 1]);
    } else if (!rows.empty()) {
        trend.reserved = -rows[0].exposedToRisk;
    }
    return trend;
}

// n-year survival from the time points of a product-limit technique run: the
// estimate after the last death at or before n years.  Tied deaths at exactly
// n years all count, so the last of them gives the survival at n years.
CIntervalResult FromTimePoints(const CGroupResult& group, const std::string& eventCode, int years, int startYear,
                               double& maxRelativeUpper, bool relative)
{
    const std::vector<CTimePointResult>& rows = group.timePoints;
    CIntervalResult trend;
    trend.intervalNumber = startYear;
    if (rows.empty()) return trend;
    const double n = years;
    auto timeOf = [&](size_t i) { return rows[i].survivalDays / 365.25; };
    auto isDeath = [&](size_t i) { return rows[i].statusText == eventCode; };
    if (timeOf(rows.size() - 1) < n) {
        trend.reserved = -rows[0].atRisk;
        return trend;
    }
    trend.reserved = rows[0].atRisk;

    size_t stop = 0;
    while (stop < rows.size() && (timeOf(stop) < n || (timeOf(stop) == n && isDeath(stop)))) ++stop;
    for (size_t i = stop; i-- > 0;) {
        if (!isDeath(i)) continue;
        CopyEstimate(trend, rows[i].atRisk, rows[i]);
        if (relative) maxRelativeUpper = std::max(maxRelativeUpper, trend.upperLimit);
        return trend;
    }
    trend.exposedToRisk = rows[0].atRisk;
    trend.cumulativeSurvival = 1.0;
    trend.standardError = 0.0;
    trend.lowerLimit = 1.0;
    trend.upperLimit = 1.0;
    trend.hasStandardError = 0;
    if (relative) {
        trend.expectedSurvival = ExpectedSurvivalAt(group, rows[0].survivalDays, 1.0);
        trend.relativeSurvival = 1.0 / trend.expectedSurvival;
    }
    return trend;
}

// A group's trend row from the period run just done on `period`; raises
// period.maxRelativeUpper to the row's relative (net) survival and limit.
CIntervalResult TrendRow(CAnalysisData& period, const CGroupResult& group, int year, double z)
{
    const bool productLimit = period.periodTechnique == kProductLimitTechnique;
    if (!productLimit) return FromIntervalRows(group.intervalTable.rows, period.survivalYears, year);
    CIntervalResult row = FromTimePoints(group, period.eventCode, period.survivalYears, year, period.maxRelativeUpper,
                                         period.relativeSurvival);
    // The product-limit technique's net survival at n years, not at the last death before.
    if (period.UsesNetSurvival() && row.exposedToRisk > 0) {
        PutNetSurvivalAt(row, group, static_cast<std::int32_t>(period.survivalYears * 365.25), z,
                         period.netSurvivalRaw ? -1 : group.netUnstableFromDay);
        if (row.hasRelativeSurvival)
            period.maxRelativeUpper = std::max({period.maxRelativeUpper, row.relativeSurvival, row.upperLimit});
    }
    return row;
}

// The record counters a period analysis run would leave, for a trend that
// analyses no period at all.
void CountRecords(CAnalysisData& data, const CaseList& cases, bool stratified)
{
    for (CGroupResult& group : data.groupResults) ResetRecordCounters(group.info);
    if (data.groupResults.empty()) return;
    for (size_t i = 0; i < cases.records.size(); ++i)
        if (cases.IsSelected(i))
            CountRecord(data.groupResults[AnalysisGroup(cases, i, stratified)].info, cases.records[i].isValid);
}

}  // namespace

Refusal ComputeTrend(CAnalysisData& data, const CaseList& cases, bool stratified)
{
    data.title = cases.sourcePath;
    if (data.timeUnit != kUnitYear) return text::kNonYearTrend;
    if (data.survivalYears < 1 || data.periodWidth < 1) return text::kTrendBelowOneYear;
    if (data.relativeSurvival)
        if (Refusal refusal = RelativeSurvivalRefusal(data)) return refusal;

    std::vector<std::vector<CIntervalResult>> trendRows(data.groupResults.size());
    const std::string ciLevelText = data.groupResults.empty() ? std::string()
                                                              : data.groupResults[0].intervalTable.ciLevelText;
    double maxRelativeUpper = 1.0;
    const bool hasWindow = data.windowBegin.isValid() && data.windowEnd.isValid();
    const int first = hasWindow ? data.windowBegin.year() : 0;
    const int last = hasWindow ? data.windowEnd.year() - data.periodWidth + 1 : -1;
    if (first <= last) {
        // Every period runs on one working record, which ends as the last period's.
        CAnalysisData period = data;
        const double z = ZValue(ciLevelText);
        for (int year = first; year <= last; ++year) {
            period.periodBegin = DateValue::FromYmd(year, 1, 1);
            period.periodEnd = DateValue::FromYmd(year + period.periodWidth - 1, 12, 31);
            if (Refusal refusal = ComputePeriodAnalysis(period, cases, stratified)) return refusal;
            for (size_t g = 0; g < period.groupResults.size(); ++g)
                trendRows[g].push_back(TrendRow(period, period.groupResults[g], year, z));
            maxRelativeUpper = std::max(maxRelativeUpper, period.maxRelativeUpper);
        }
        data = std::move(period);
    } else {
        CountRecords(data, cases, stratified);
    }

    for (size_t g = 0; g < data.groupResults.size(); ++g) {
        CIntervalResultTable& table = data.groupResults[g].intervalTable;
        table.timeUnit = kUnitYear;
        table.maxObservationDays = 0;
        table.ciLevelText = ciLevelText;
        table.rows = std::move(trendRows[g]);
        // The notes on unstable net survival tell of the trend's rows, not of the last period's curve.
        const bool hidden = std::any_of(table.rows.begin(), table.rows.end(),
                                        [](const CIntervalResult& r) { return !r.hasRelativeSurvival; });
        data.groupResults[g].netUnstableFromDay =
            hidden ? static_cast<std::int32_t>(data.survivalYears * 365.25) : -1;
    }
    data.maxRelativeUpper = maxRelativeUpper;
    return std::nullopt;
}

}  // namespace kalderon
