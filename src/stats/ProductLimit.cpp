#include "stats/ProductLimit.h"

#include <cmath>

#include "stats/GroupCounters.h"
#include "stats/LargeArrays.h"
#include "stats/SurvivalRow.h"
#include "stats/TimePointOrder.h"
#include "stats/TimeUnit.h"

namespace kalderon {
namespace {

void EstimateGroup(std::vector<CTimePointResult>& rows, const std::string& eventCode, double z)
{
    const auto n = static_cast<std::int64_t>(rows.size());
    double survival = 1.0;
    double greenwood = 0.0;
    for (std::int64_t k = 1; k <= n; ++k) {
        CTimePointResult& row = rows[k - 1];
        if (row.statusText != eventCode) continue;
        const auto remaining = static_cast<double>(n - k);
        row.atRisk = remaining + 1.0;
        row.proportionSurviving = remaining / (remaining + 1.0);
        survival *= row.proportionSurviving;
        double standardError = 0.0;
        if (remaining > 0) {
            greenwood += 1.0 / ((remaining + 1.0) * remaining);
            standardError = std::sqrt(greenwood) * survival;
        }
        StoreObservedSurvival(row, survival, standardError, remaining > 0, z);
    }
}

}  // namespace

bool ComputeProductLimit(CAnalysisData& data, const CaseList& cases, bool stratified)
{
    data.title = cases.sourcePath;
    for (CGroupResult& group : data.groupResults) {
        group.timePoints.clear();
        ResetRecordCounters(group.info);
    }
    data.maxRelativeUpper = 1.0;
    if (data.groupResults.empty()) return true;

    const int groupCount = AnalysedGroupCount(data, stratified);
    std::vector<TimePointOrder> orders(groupCount);
    std::vector<std::vector<std::uint32_t>> members(groupCount);
    for (size_t i = 0; i < cases.records.size(); ++i) {
        const CCaseRecord& c = cases.records[i];
        const int g = AnalysisGroup(cases, i, stratified);
        CountRecord(data.groupResults[g].info, c.isValid);
        if (!c.isValid) continue;
        orders[g].Add(c.observationDays, c.statusText == data.eventCode);
        members[g].push_back(static_cast<std::uint32_t>(i));
    }

    const double z = ZValue(data.ciLevelText);
    for (int g = 0; g < groupCount; ++g) {
        std::vector<CTimePointResult>& rows = data.groupResults[g].timePoints;
        const std::vector<std::uint32_t> order = orders[g].Finish();
        ReserveLarge(rows, order.size());
        for (const std::uint32_t arrival : order) {
            const CCaseRecord& c = cases.records[members[g][arrival]];
            CTimePointResult& row = rows.emplace_back();
            row.survivalDays = c.observationDays;
            row.statusText = c.statusText;
        }
        EstimateGroup(rows, data.eventCode, z);
    }
    return true;
}

}  // namespace kalderon
