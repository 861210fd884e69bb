#include "stats/Trend.h"

#include <algorithm>

#include "resources/StringTable.h"
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

// The record counters a period analysis run would leave, for a trend that
// analyses no period at all.
void CountRecords(CAnalysisData& data, const CaseList& cases, bool stratified)
{
    for (CGroupResult& group : data.groupResults) ResetRecordCounters(group.info);
    if (data.groupResults.empty()) return;
    for (size_t i = 0; i < cases.records.size(); ++i)
        CountRecord(data.groupResults[AnalysisGroup(cases, i, stratified)].info, cases.records[i].isValid);
}

}  // namespace

bool ComputeTrend(CAnalysisData& data, const CaseList& cases, bool stratified, std::string& refusal)
{
    data.title = cases.sourcePath;
    if (data.timeUnit != kUnitYear) {
        refusal = text::kNonYearTrend;
        return false;
    }
    if (data.survivalYears < 1 || data.periodWidth < 1) {
        refusal = text::kTrendBelowOneYear;
        return false;
    }
    if (data.relativeSurvival) {
        refusal = RelativeSurvivalRefusal(data);
        if (!refusal.empty()) return false;
    }

    std::vector<std::vector<CIntervalResult>> trendRows(data.groupResults.size());
    const std::string ciLevelText = data.groupResults.empty() ? std::string()
                                                              : data.groupResults[0].intervalTable.ciLevelText;
    double maxRelativeUpper = 1.0;
    bool analysed = false;
    if (data.windowBegin.isValid() && data.windowEnd.isValid()) {
        const int first = data.windowBegin.year();
        const int last = data.windowEnd.year() - data.periodWidth + 1;
        for (int year = first; year <= last; ++year) {
            data.periodBegin = DateValue::FromYmd(year, 1, 1);
            data.periodEnd = DateValue::FromYmd(year + data.periodWidth - 1, 12, 31);
            if (!ComputePeriodAnalysis(data, cases, stratified) && data.UsesNetSurvival()) {
                refusal = text::kNetSurvivalUndefined;
                return false;
            }
            analysed = true;
            for (size_t g = 0; g < data.groupResults.size(); ++g) {
                const CGroupResult& group = data.groupResults[g];
                CIntervalResult row = data.periodTechnique == kProductLimitTechnique
                                          ? FromTimePoints(group, data.eventCode, data.survivalYears, year,
                                                           data.maxRelativeUpper, data.relativeSurvival)
                                          : FromIntervalRows(group.intervalTable.rows, data.survivalYears, year);
                // The product-limit technique's net survival at n years, not at the last death before.
                if (data.periodTechnique == kProductLimitTechnique && data.UsesNetSurvival() &&
                    row.exposedToRisk > 0) {
                    PutNetSurvivalAt(row, group, static_cast<std::int32_t>(data.survivalYears * 365.25),
                                     ZValue(ciLevelText));
                    data.maxRelativeUpper = std::max({data.maxRelativeUpper, row.relativeSurvival, row.upperLimit});
                }
                trendRows[g].push_back(row);
            }
            maxRelativeUpper = std::max(maxRelativeUpper, data.maxRelativeUpper);
        }
    }
    if (!analysed) CountRecords(data, cases, stratified);

    for (size_t g = 0; g < data.groupResults.size(); ++g) {
        CIntervalResultTable& table = data.groupResults[g].intervalTable;
        table.timeUnit = kUnitYear;
        table.maxObservationDays = 0;
        table.ciLevelText = ciLevelText;
        table.rows = std::move(trendRows[g]);
    }
    data.maxRelativeUpper = maxRelativeUpper;
    return true;
}

}  // namespace kalderon
