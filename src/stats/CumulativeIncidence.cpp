#include "stats/CumulativeIncidence.h"

#include <algorithm>
#include <cmath>

#include "resources/Texts.h"
#include "stats/ConfidenceLimits.h"
#include "stats/GrayTest.h"
#include "stats/GroupCounters.h"
#include "stats/TimeUnit.h"

namespace kalderon {
namespace {

constexpr int kMostCauses = 255;

// The share of a variance term that ties keep: 1 - (d - 1) / (n - 1) for
// d > 1 events among n.
double TieFactor(double events, double atRisk) { return events > 1 ? 1.0 - (events - 1.0) / (atRisk - 1.0) : 1.0; }

// Sums of the variance of the incidence f: v1 + f^2 v3 - 2 f v2.
struct IncidenceVariance {
    double v1 = 0.0, v2 = 0.0, v3 = 0.0;

    void Add(double t3, double t4, double t6)
    {
        v1 += t4 * t4 * t6;
        v2 += t3 * t4 * t6;
        v3 += t3 * t3 * t6;
    }
    double At(double f) const { return v1 + f * f * v3 - 2 * f * v2; }
};

void CountRecords(CAnalysisData& data, const CaseList& cases, bool stratified)
{
    for (CGroupResult& group : data.groupResults) {
        group.incidence.clear();
        ResetRecordCounters(group.info);
    }
    for (size_t i = 0; i < cases.records.size(); ++i)
        if (cases.IsSelected(i))
            CountRecord(data.groupResults[AnalysisGroup(cases, i, stratified)].info, cases.records[i].isValid);
}

}  // namespace

std::vector<CIncidenceRow> IncidenceAtEvents(const CauseTally& tally, int cause, double z)
{
    std::vector<CIncidenceRow> rows;
    double survival = 1.0;  // all causes, just before the day
    double incidence = 0.0;
    IncidenceVariance variance;
    double atRisk = tally.Cases();
    for (size_t d = 0; d < tally.DayCount(); ++d) {
        const double events = tally.Ending(d, cause);
        const double others = tally.Events(d) - events;
        if (events + others > 0) {
            const double after = survival * (atRisk - events - others) / atRisk;
            if (events > 0) incidence += survival * events / atRisk;
            if (others > 0 && after > 0)
                variance.Add(1.0 / after, incidence / after,
                             survival * survival * TieFactor(others, atRisk) * others / (atRisk * atRisk));
            if (events > 0) {
                const double t3 = after > 0 ? 1.0 / after : 0.0;
                variance.Add(t3, 1.0 + t3 * incidence,
                             survival * survival * TieFactor(events, atRisk) * events / (atRisk * atRisk));
                const double se = std::sqrt(std::max(variance.At(incidence), 0.0));
                const SurvivalLimits limits = ObservedLimits(incidence, se, z);
                rows.push_back({tally.Day(d), atRisk, static_cast<std::int32_t>(events), incidence, se, limits.lower,
                                limits.upper});
            }
            survival = after;
        }
        atRisk -= tally.Ended(d);
    }
    return rows;
}

std::vector<CIncidenceRow> IncidenceAtIntervalEnds(const CauseTally& tally, int cause, double z, double unitDays,
                                                   int intervals)
{
    const std::vector<CIncidenceRow> atEvents = IncidenceAtEvents(tally, cause, z);
    std::vector<CIncidenceRow> rows(intervals);
    for (int k = 0; k < intervals; ++k) rows[k].time = k + 1;
    double ended = 0.0;  // before the interval
    size_t d = 0;
    size_t e = 0;
    CIncidenceRow last;
    for (int k = 0; k < intervals; ++k) {
        CIncidenceRow& row = rows[k];
        row.atRisk = tally.Cases() - ended;
        for (; d < tally.DayCount() && static_cast<int>(tally.Day(d) / unitDays) == k; ++d) {
            row.events += tally.Ending(d, cause);
            ended += tally.Ended(d);
        }
        for (; e < atEvents.size() && static_cast<int>(atEvents[e].time / unitDays) == k; ++e) last = atEvents[e];
        row.incidence = last.incidence;
        row.standardError = last.standardError;
        row.lowerLimit = last.lowerLimit;
        row.upperLimit = last.upperLimit;
    }
    return rows;
}

Refusal ComputeCumulativeIncidence(CAnalysisData& data, const CaseList& cases, bool stratified)
{
    if (data.incidenceCodes.empty()) return text::kNoIncidenceCode;
    if (CauseCount(data) > kMostCauses) return text::kTooManyCauses;
    data.title = cases.sourcePath;
    data.grayTests.clear();
    CountRecords(data, cases, stratified);
    const std::vector<CauseTally> tallies = TallyCauses(data, cases, stratified);
    const double z = ZValue(data.ciLevelText);
    const double unitDays = UnitDays(data.timeUnit);
    const int intervals = IntervalCount(data.maxObservationDays, unitDays);
    const bool atIntervalEnds = data.periodTechnique == kLifeTableTechnique;
    for (size_t g = 0; g < tallies.size(); ++g) {
        for (int cause = 1; cause <= CauseCount(data); ++cause) {
            CIncidenceCurve curve{cause, {}};
            curve.rows = atIntervalEnds ? IncidenceAtIntervalEnds(tallies[g], cause, z, unitDays, intervals)
                                        : IncidenceAtEvents(tallies[g], cause, z);
            data.groupResults[g].incidence.push_back(std::move(curve));
        }
    }
    const auto tested = std::count_if(tallies.begin(), tallies.end(), [](const CauseTally& t) { return t.Cases() > 0; });
    if (tested > 1)
        for (int cause = 1; cause <= CauseCount(data); ++cause)
            data.grayTests.push_back(ComputeGrayTest(tallies, cause));
    return std::nullopt;
}

}  // namespace kalderon
