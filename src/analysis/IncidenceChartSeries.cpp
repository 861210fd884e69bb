#include "analysis/IncidenceChartSeries.h"

#include "stats/CauseTally.h"

namespace kalderon {
namespace {

void FillTimePoints(CGroupResult& series, const CauseTally& tally, const CIncidenceCurve& curve,
                    const std::string& eventCode)
{
    double atRisk = tally.Cases();
    size_t next = 0;
    CTimePointResult last;
    last.cumulativeSurvival = 0.0;
    last.upperLimit = 0.0;
    for (size_t d = 0; d < tally.DayCount(); ++d) {
        CTimePointResult row = last;
        row.survivalDays = tally.Day(d);
        row.atRisk = atRisk;
        row.statusText = std::string();
        if (next < curve.rows.size() && curve.rows[next].time == tally.Day(d)) {
            const CIncidenceRow& r = curve.rows[next++];
            row.statusText = eventCode;
            row.cumulativeSurvival = r.incidence;
            row.standardError = r.standardError;
            row.lowerLimit = r.lowerLimit;
            row.upperLimit = r.upperLimit;
            row.hasStandardError = 1;
            last = row;
        }
        series.timePoints.push_back(std::move(row));
        atRisk -= tally.Ended(d);
    }
}

void FillIntervals(CGroupResult& series, const CIncidenceCurve& curve, const CAnalysisData& data)
{
    series.intervalTable.timeUnit = data.timeUnit;
    series.intervalTable.ciLevelText = data.ciLevelText;
    for (const CIncidenceRow& r : curve.rows) {
        if (r.atRisk < 1) break;
        CIntervalResult row;
        row.intervalNumber = r.time;
        row.exposedToRisk = r.atRisk;
        row.cumulativeSurvival = r.incidence;
        row.standardError = r.standardError;
        row.lowerLimit = r.lowerLimit;
        row.upperLimit = r.upperLimit;
        row.hasStandardError = 1;
        series.intervalTable.rows.push_back(row);
    }
}

}  // namespace

CAnalysisData IncidenceChartData(const CAnalysisData& data, const CaseList& cases, bool stratified)
{
    CAnalysisData chart = data;
    chart.groupResults.clear();
    const bool atEvents = data.periodTechnique == kProductLimitTechnique;
    const std::vector<CauseTally> tallies = atEvents ? TallyCauses(data, cases, stratified) : std::vector<CauseTally>();
    for (size_t g = 0; g < data.groupResults.size(); ++g) {
        const CGroupResult& group = data.groupResults[g];
        if (group.info.recordsRead <= 0) continue;
        for (const CIncidenceCurve& curve : group.incidence) {
            CGroupResult series;
            series.info = group.info;
            const std::string codes = CauseCodes(data, curve.cause);
            series.info.code = stratified ? GroupName(group.info) + ": " + codes : codes;
            series.info.label.clear();
            if (atEvents)
                FillTimePoints(series, tallies[g], curve, data.eventCode);
            else
                FillIntervals(series, curve, data);
            chart.groupResults.push_back(std::move(series));
        }
    }
    return chart;
}

}  // namespace kalderon
