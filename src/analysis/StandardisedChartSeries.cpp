#include "analysis/StandardisedChartSeries.h"

#include <algorithm>
#include <cmath>

#include "common/TextFormat.h"
#include "resources/Texts.h"
#include "stats/TimeUnit.h"

namespace kalderon {
namespace {

CIntervalResult SeriesRow(const StandardisedInterval& interval, const CIntervalResult* own, bool net, double z,
                          double& maxUpper)
{
    const AgeGroupEstimate& survival = net ? interval.net : interval.relative;
    CIntervalResult row;
    row.intervalNumber = interval.intervalNumber;
    if (!survival.available || !own) return row;
    row.exposedToRisk = own->exposedToRisk;
    row.cumulativeSurvival = interval.observed.available ? interval.observed.value : own->cumulativeSurvival;
    row.expectedSurvival = own->expectedSurvival;
    row.relativeSurvival = survival.value;
    row.hasStandardError = std::isnan(survival.standardError) ? 0 : 1;
    row.standardError = row.hasStandardError ? survival.standardError : 0.0;
    row.lowerLimit = std::max(0.0, row.relativeSurvival - z * row.standardError);
    row.upperLimit = row.relativeSurvival + z * row.standardError;
    if (net) row.upperLimit = std::min(1.0, row.upperLimit);
    maxUpper = std::max({maxUpper, row.relativeSurvival, row.upperLimit});
    return row;
}

}  // namespace

CAnalysisData WithStandardisedSeries(CAnalysisData data, const std::vector<StandardisedGroup>& groups,
                                     std::int32_t standard)
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
