#include "stats/ProductLimit.h"

#include "stats/NetSurvivalTables.h"
#include "stats/ProductLimitWalk.h"
#include "stats/TimePointComputation.h"

namespace kalderon {
namespace {

void EstimateGroup(std::vector<CTimePointResult>& rows, const std::string& eventCode, double z)
{
    ProductLimitWalk walk(z);
    const size_t n = rows.size();
    for (size_t k = 1; k <= n; ++k) {
        if (rows[k - 1].statusText != eventCode) continue;
        const auto remaining = static_cast<double>(n - k);
        walk.Death(rows[k - 1], remaining + 1.0, remaining / (remaining + 1.0));
    }
}

}  // namespace

Refusal ComputeProductLimit(CAnalysisData& data, const CaseList& cases, bool stratified)
{
    Refusal refusal = ComputeTimePoints(
        data, cases, stratified, ComputeExpectedSurvivalCohort,
        [&](TimePointCollector& points, int g, const CCaseRecord& c) {
            points.Add(g, c.observationDays, 0, c.statusText, c.statusText == data.eventCode);
        },
        [&](std::vector<CTimePointResult>& rows, double z) { EstimateGroup(rows, data.eventCode, z); });
    if (!refusal && data.UsesNetSurvival()) refusal = PutNetSurvivalIntoCohortTables(data, cases, stratified);
    return refusal;
}

}  // namespace kalderon
