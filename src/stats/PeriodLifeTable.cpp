#include <cmath>

#include "stats/ExpectedSurvival.h"
#include "stats/GroupCounters.h"
#include "stats/IntervalTally.h"
#include "stats/PeriodAnalysis.h"
#include "stats/PeriodCuts.h"
#include "stats/RelativeSurvival.h"
#include "stats/SurvivalRow.h"
#include "stats/TimeUnit.h"

namespace kalderon {
namespace {

// Rows from the difference of the two count blocks, up to the first interval
// that nobody enters within the period.  An interval with at least as many
// deaths as exposed to risk (possible with few cases, as the difference block
// can hold more deaths than half-censored entries) ends the survival at 0
// without a standard error, and leaves the Greenwood sum as it was.
void EstimateGroup(CGroupResult& group, double z)
{
    std::vector<CIntervalResult>& rows = group.intervalTable.rows;
    double survival = 1.0;
    double greenwood = 0.0;
    for (size_t i = 0; i < group.countsAtPeriodBegin.size(); ++i) {
        const CIntervalCounts& atEnd = group.countsAtPeriodEnd[i];
        const CIntervalCounts difference = atEnd - group.countsAtPeriodBegin[i];
        if (difference.entered <= 0 || atEnd.entered <= 0) break;

        CIntervalResult& row = rows.emplace_back();
        row.intervalNumber = static_cast<std::int32_t>(i + 1);
        const double exposed = difference.entered - difference.censored * 0.5;
        const double dead = difference.dead;
        row.exposedToRisk = exposed;

        double standardError = 0.0;
        bool hasStandardError = false;
        if (exposed > 0 && dead >= exposed) {
            row.intervalSurvival = 0.0;
            survival = 0.0;
        } else {
            row.intervalSurvival = 1.0 - (exposed > 0 ? dead / exposed : 0.0);
            survival *= row.intervalSurvival;
            if (exposed > 0) {
                greenwood += dead / (exposed * (exposed - dead));
                standardError = std::sqrt(greenwood) * survival;
                hasStandardError = true;
            }
        }
        StoreObservedSurvival(row, survival, standardError, hasStandardError, z);
    }
}

}  // namespace

Refusal ComputePeriodLifeTable(CAnalysisData& data, const CaseList& cases, bool stratified)
{
    if (data.relativeSurvival)
        if (Refusal refusal = RelativeSurvivalRefusal(data)) return refusal;
    data.title = cases.sourcePath;
    for (CGroupResult& group : data.groupResults) {
        group.countsAtPeriodBegin.clear();
        group.countsAtPeriodEnd.clear();
        group.intervalTable.rows.clear();
        group.intervalTable.maxObservationDays = data.maxObservationDays;
        group.intervalTable.timeUnit = data.timeUnit;
        ResetRecordCounters(group.info);
    }
    data.maxRelativeUpper = 1.0;
    if (data.groupResults.empty()) return std::nullopt;

    const double unitDays = UnitDays(data.timeUnit);
    const int intervals = IntervalCount(data.maxObservationDays, unitDays);
    const int groupCount = AnalysedGroupCount(data, stratified);
    if (data.relativeSurvival) ComputeExpectedSurvivalPeriod(data, cases, stratified);
    std::vector<IntervalTally> atBegin(groupCount, IntervalTally(intervals, unitDays));
    std::vector<IntervalTally> atEnd(groupCount, IntervalTally(intervals, unitDays));

    for (size_t i = 0; i < cases.records.size(); ++i) {
        if (!cases.IsSelected(i)) continue;
        const CCaseRecord& c = cases.records[i];
        const int g = AnalysisGroup(cases, i, stratified);
        CountRecord(data.groupResults[g].info, c.isValid);
        if (!c.isValid) continue;
        const PeriodCut begin = CutAtPeriodBegin(c, data);
        if (begin.days >= 0) atBegin[g].Add(begin.days, begin.isEvent);
        const PeriodCut end = CutAtPeriodEnd(c, data);
        if (end.days >= 0) atEnd[g].Add(end.days, end.isEvent);
    }

    const double z = ZValue(data.groupResults[0].intervalTable.ciLevelText);
    for (int g = 0; g < groupCount; ++g) {
        CGroupResult& group = data.groupResults[g];
        group.countsAtPeriodBegin = atBegin[g].Counts();
        group.countsAtPeriodEnd = atEnd[g].Counts();
        EstimateGroup(group, z);
        if (data.relativeSurvival) DivideIntervalRowsByExpected(group, unitDays, data.maxRelativeUpper);
    }
    return std::nullopt;
}

}  // namespace kalderon
