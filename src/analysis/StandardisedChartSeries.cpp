#include "analysis/StandardisedChartSeries.h"

#include <algorithm>
#include <cmath>

#include "common/TextFormat.h"
#include "resources/Texts.h"
#include "stats/TimeUnit.h"

namespace kalderon {
namespace {

// The standardised survival into a row of a series, with limits from its
// standard error; false when it has none.
template <typename Row>
bool PutStandardised(Row& row, const StandardisedInterval& interval, bool net, double z, double& maxUpper)
{
    const AgeGroupEstimate& survival = net ? interval.net : interval.relative;
    if (!survival.available) return false;
    if (interval.observed.available) row.cumulativeSurvival = interval.observed.value;
    row.relativeSurvival = survival.value;
    row.hasStandardError = std::isnan(survival.standardError) ? 0 : 1;
    row.standardError = row.hasStandardError ? survival.standardError : 0.0;
    row.lowerLimit = std::max(0.0, row.relativeSurvival - z * row.standardError);
    row.upperLimit = row.relativeSurvival + z * row.standardError;
    if (net) row.upperLimit = std::min(1.0, row.upperLimit);
    maxUpper = std::max({maxUpper, row.relativeSurvival, row.upperLimit});
    return true;
}

CIntervalResult SeriesRow(const StandardisedInterval& interval, const CIntervalResult* own, bool net, double z,
                          double& maxUpper)
{
    CIntervalResult row;
    row.intervalNumber = interval.intervalNumber;
    if (!own || !(net ? interval.net : interval.relative).available) return row;
    row.exposedToRisk = own->exposedToRisk;
    row.cumulativeSurvival = own->cumulativeSurvival;
    row.expectedSurvival = own->expectedSurvival;
    PutStandardised(row, interval, net, z, maxUpper);
    return row;
}

// The group's own rows, their events at the standardised survival of their day.
std::vector<CTimePointResult> SeriesTimePoints(const CGroupResult& own, const StandardisedGroup& group,
                                               const std::string& eventCode, bool net, double z, double& maxUpper)
{
    std::vector<CTimePointResult> rows = own.timePoints;
    for (CTimePointResult& row : rows) {
        if (row.statusText != eventCode) continue;
        const auto day = static_cast<size_t>(std::max(0, row.survivalDays));
        row.hasRelativeSurvival = day < group.days.size() && PutStandardised(row, group.days[day], net, z, maxUpper);
    }
    return rows;
}

}  // namespace

CAnalysisData WithStandardisedSeries(CAnalysisData data, const std::vector<StandardisedGroup>& groups,
                                     std::int32_t standard, bool timePoints)
{
    const bool net = data.UsesNetSurvival();
    const std::string name = FormatText(text::kStandardisedSeries, static_cast<int>(standard));
    std::vector<CGroupResult> series;
    for (size_t g = 0; g < groups.size() && g < data.groupResults.size(); ++g) {
        const CGroupResult& own = data.groupResults[g];
        CGroupResult added;
        added.info = own.info;
        added.info.code = groups[g].heading.empty() ? name : own.info.code + ", " + name;
        added.info.label.clear();
        added.intervalTable.timeUnit = own.intervalTable.timeUnit;
        added.intervalTable.maxObservationDays = own.intervalTable.maxObservationDays;
        added.intervalTable.ciLevelText = own.intervalTable.ciLevelText;
        if (timePoints) {
            added.timePoints = SeriesTimePoints(own, groups[g], data.eventCode, net, ZValue(data.ciLevelText),
                                                data.maxRelativeUpper);
            series.push_back(std::move(added));
            continue;
        }
        const double z = ZValue(own.intervalTable.ciLevelText);
        const std::vector<CIntervalResult>& rows = own.intervalTable.rows;
        for (size_t i = 0; i < groups[g].intervals.size(); ++i)
            added.intervalTable.rows.push_back(
                SeriesRow(groups[g].intervals[i], i < rows.size() ? &rows[i] : nullptr, net, z, data.maxRelativeUpper));
        series.push_back(std::move(added));
    }
    const auto after = static_cast<std::ptrdiff_t>(std::min(groups.size(), data.groupResults.size()));
    data.groupResults.insert(data.groupResults.begin() + after, std::make_move_iterator(series.begin()),
                             std::make_move_iterator(series.end()));
    return data;
}

}  // namespace kalderon
