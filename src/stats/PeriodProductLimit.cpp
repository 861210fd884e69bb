#include "stats/DelayedEntryAtRisk.h"
#include "stats/ExpectedSurvival.h"
#include "stats/GroupCounters.h"
#include "stats/LargeArrays.h"
#include "stats/PeriodAnalysis.h"
#include "stats/PeriodCuts.h"
#include "stats/ProductLimitWalk.h"
#include "stats/RelativeSurvival.h"
#include "stats/StatusTexts.h"
#include "stats/TimeUnit.h"
#include "stats/TimePointOrder.h"

namespace kalderon {
namespace {

struct PeriodTimePoint {
    std::int32_t days;
    std::int32_t entryDays;
    std::uint32_t status;
};

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
    std::vector<TimePointOrder> orders(groupCount);
    std::vector<std::vector<PeriodTimePoint>> arrivals(groupCount);
    StatusTexts statuses;
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
        orders[g].Add(cut.days, cut.isEvent);
        arrivals[g].push_back({cut.days, entry, statuses.Number(CutStatusText(c, cut, data.eventCode))});
    }

    const double z = ZValue(data.ciLevelText);
    for (int g = 0; g < groupCount; ++g) {
        std::vector<CTimePointResult>& rows = data.groupResults[g].timePoints;
        const std::vector<std::uint32_t> order = orders[g].Finish();
        ReserveLarge(rows, order.size());
        for (const std::uint32_t arrival : order) {
            const PeriodTimePoint& point = arrivals[g][arrival];
            CTimePointResult& row = rows.emplace_back();
            row.entryDays = point.entryDays;
            row.survivalDays = point.days;
            row.statusText = statuses.Text(point.status);
        }
        EstimateGroup(rows, data.eventCode, z);
        if (data.relativeSurvival)
            DivideTimePointsByExpected(data.groupResults[g], data.eventCode, data.maxRelativeUpper);
    }
    return true;
}

}  // namespace kalderon
