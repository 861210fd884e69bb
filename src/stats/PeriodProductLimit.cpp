#include "stats/DelayedEntryAtRisk.h"
#include "stats/ExpectedSurvival.h"
#include "stats/GroupCounters.h"
#include "stats/PeriodAnalysis.h"
#include "stats/PeriodCuts.h"
#include "stats/ProductLimitWalk.h"
#include "stats/RelativeSurvival.h"
#include "stats/TimePointCollector.h"
#include "stats/TimeUnit.h"

namespace kalderon {
namespace {

void EstimateGroup(std::vector<CTimePointResult>& rows, const std::string& eventCode, double z)
{
    const std::vector<std::int32_t> atRisk = CountAtRiskWithDelayedEntry(rows);
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

bool ComputePeriodProductLimit(CAnalysisData& data, const CaseList& cases, bool stratified)
{
    if (data.relativeSurvival && !RelativeSurvivalRefusal(data).empty()) return false;
    ResetTimePoints(data, cases);
    if (data.groupResults.empty()) return true;
    if (data.relativeSurvival) ComputeExpectedSurvivalPeriod(data, cases, stratified);

    const int groupCount = AnalysedGroupCount(data, stratified);
    TimePointCollector points(groupCount);
    for (size_t i = 0; i < cases.records.size(); ++i) {
        const CCaseRecord& c = cases.records[i];
        const int g = AnalysisGroup(cases, i, stratified);
        CountRecord(data.groupResults[g].info, c.isValid);
        if (!c.isValid || c.endDate.serial() < data.periodBegin.serial() ||
            c.beginDate.serial() > data.periodEnd.serial())
            continue;
        const PeriodCut cut = CutAtPeriodEnd(c, data);
        const std::int32_t entry =
            c.beginDate.serial() < data.periodBegin.serial() ? DaysBetween(c.beginDate, data.periodBegin) - 1 : 0;
        points.Add(g, cut.days, entry, CutStatusText(c, cut, data.eventCode), cut.isEvent);
    }

    const double z = ZValue(data.ciLevelText);
    for (int g = 0; g < groupCount; ++g) {
        std::vector<CTimePointResult>& rows = data.groupResults[g].timePoints;
        points.Fill(g, rows);
        EstimateGroup(rows, data.eventCode, z);
        if (data.relativeSurvival)
            DivideTimePointsByExpected(data.groupResults[g], data.eventCode, data.maxRelativeUpper);
    }
    return true;
}

}  // namespace kalderon
