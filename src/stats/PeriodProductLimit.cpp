#include <algorithm>

#include "stats/DelayedEntryAtRisk.h"
#include "stats/PeriodAnalysis.h"
#include "stats/PeriodCuts.h"
#include "stats/ProductLimitWalk.h"
#include "stats/TimePointComputation.h"

namespace kalderon {
namespace {

// Cases whose follow-up begins within the period carry the entry
// kAtRiskFromStart until the numbers at risk are counted; the tables give
// them entry 0 and mark the others as entered late.
void EstimateGroup(std::vector<CTimePointResult>& rows, const std::string& eventCode, double z)
{
    const std::vector<std::int32_t> atRisk = CountAtRiskWithDelayedEntry(rows);
    for (CTimePointResult& row : rows) {
        row.enteredLate = row.entryDays != kAtRiskFromStart;
        row.entryDays = std::max(row.entryDays, 0);
    }
    ProductLimitWalk walk(z);
    for (size_t j = 0; j < rows.size(); ++j) {
        const double d = atRisk[j];
        if (rows[j].statusText == eventCode)
            walk.Death(rows[j], d, 1.0 - 1.0 / d);
        else if (j == 0)
            rows[j].atRisk = d;
    }
}

}  // namespace

Refusal ComputePeriodProductLimit(CAnalysisData& data, const CaseList& cases, bool stratified)
{
    return ComputeTimePoints(
        data, cases, stratified, ComputeExpectedSurvivalPeriod,
        [&](TimePointCollector& points, int g, const CCaseRecord& c) {
            if (c.endDate.serial() < data.periodBegin.serial() || c.beginDate.serial() > data.periodEnd.serial())
                return;
            const PeriodCut cut = CutAtPeriodEnd(c, data);
            const std::int32_t entry =
                c.beginDate.serial() < data.periodBegin.serial() ? DaysBetween(c.beginDate, data.periodBegin) - 1 : kAtRiskFromStart;
            points.Add(g, cut.days, entry, CutStatusText(c, cut, data.eventCode), cut.isEvent);
        },
        [&](std::vector<CTimePointResult>& rows, double z) { EstimateGroup(rows, data.eventCode, z); });
}

}  // namespace kalderon
