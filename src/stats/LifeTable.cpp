#include "stats/LifeTable.h"

#include <algorithm>
#include <cmath>

#include "stats/ConfidenceLimits.h"
#include "stats/ExpectedSurvival.h"
#include "stats/GroupCounters.h"
#include "stats/IntervalTally.h"
#include "stats/NetSurvivalTables.h"
#include "stats/TimeUnit.h"

namespace kalderon {
namespace {

// Walks the intervals of one group in order, carrying the observed
// cumulative survival and the Greenwood sum from interval to interval.
class CutlerEdererWalk {
public:
    explicit CutlerEdererWalk(double z) : z_(z) {}

    // Fills the observed figures of a row.  Returns false when nobody was at
    // risk: the row then keeps its initial values apart from the exposure.
    bool Next(const CIntervalCounts& counts, CIntervalResult& row)
    {
        const double entered = counts.entered;
        const double censored = counts.censored;
        const double dead = counts.dead;
        const double exposed = entered - censored * 0.5;
        row.exposedToRisk = exposed;
        if (exposed <= 0.0) return false;

        const double p = 1.0 - dead / exposed;
        survival_ *= p;
        row.intervalSurvival = p;
        row.cumulativeSurvival = survival_;

        double se = 0.0;
        if (exposed != dead) {
            greenwood_ += dead / (exposed * (exposed - dead));
            se = std::sqrt(greenwood_) * survival_;
            row.hasStandardError = 1;
        } else {
            row.hasStandardError = 0;  // everyone at risk died
        }
        const SurvivalLimits limits = ObservedLimits(survival_, se, z_);
        row.standardError = se;
        row.lowerLimit = limits.lower;
        row.upperLimit = limits.upper;
        return true;
    }

private:
    double z_;
    double survival_ = 1.0;
    double greenwood_ = 0.0;
};

void ResetGroup(CGroupResult& group, const CAnalysisData& data)
{
    group.countsAll.clear();
    group.intervalTable.rows.clear();
    group.intervalTable.maxObservationDays = data.maxObservationDays;
    group.intervalTable.timeUnit = data.timeUnit;
    ResetRecordCounters(group.info);
}

}  // namespace

Refusal ComputeLifeTable(CAnalysisData& data, const CaseList& cases, bool stratified)
{
    if (data.relativeSurvival)
        if (Refusal refusal = RelativeSurvivalRefusal(data)) return refusal;

    data.title = cases.sourcePath;
    for (CGroupResult& group : data.groupResults) ResetGroup(group, data);

    const double unitDays = UnitDays(data.timeUnit);
    const auto intervals = static_cast<size_t>(IntervalCount(data.maxObservationDays, unitDays));
    const int analysed = std::min(AnalysedGroupCount(data, stratified), static_cast<int>(data.groupResults.size()));

    if (data.relativeSurvival) ComputeExpectedSurvivalCohort(data, cases, stratified);

    std::vector<IntervalTally> tallies(analysed, IntervalTally(intervals, unitDays));
    for (size_t i = 0; analysed > 0 && i < cases.records.size(); ++i) {
        if (!cases.IsSelected(i)) continue;
        const CCaseRecord& c = cases.records[i];
        int g = AnalysisGroup(cases, i, stratified);
        if (g < 0 || g >= analysed) g = 0;
        CountRecord(data.groupResults[g].info, c.isValid);
        if (c.isValid) tallies[g].Add(c.observationDays, c.statusText == data.eventCode);
    }

    const double z = ZValue(data.groupResults.empty() ? std::string() : data.groupResults[0].intervalTable.ciLevelText);
    data.maxRelativeUpper = 1.0;

    for (int g = 0; g < analysed; ++g) {
        CGroupResult& group = data.groupResults[g];
        group.countsAll = tallies[g].Counts();
        group.intervalTable.rows.assign(intervals, CIntervalResult{});
        CutlerEdererWalk walk(z);
        for (size_t i = 0; i < intervals; ++i) {
            CIntervalResult& row = group.intervalTable.rows[i];
            row.intervalNumber = static_cast<std::int32_t>(i + 1);
            if (walk.Next(group.countsAll[i], row) && data.relativeSurvival)
                DivideByExpected(row, ExpectedSurvivalAt(group, static_cast<double>(i), unitDays),
                                 data.maxRelativeUpper);
        }
    }
    if (data.UsesNetSurvival()) return PutNetSurvivalIntoCohortTables(data, cases, stratified);
    return std::nullopt;
}

}  // namespace kalderon
