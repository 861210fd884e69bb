#include "stats/ProductLimit.h"

#include "stats/ExpectedSurvival.h"
#include "stats/GroupCounters.h"
#include "stats/ProductLimitWalk.h"
#include "stats/RelativeSurvival.h"
#include "stats/TimePointCollector.h"
#include "stats/TimeUnit.h"

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

bool ComputeProductLimit(CAnalysisData& data, const CaseList& cases, bool stratified)
{
    if (data.relativeSurvival && !RelativeSurvivalRefusal(data).empty()) return false;
    ResetTimePoints(data, cases);
    if (data.groupResults.empty()) return true;
    if (data.relativeSurvival) ComputeExpectedSurvivalCohort(data, cases, stratified);

    const int groupCount = AnalysedGroupCount(data, stratified);
    TimePointCollector points(groupCount);
    for (size_t i = 0; i < cases.records.size(); ++i) {
        const CCaseRecord& c = cases.records[i];
        const int g = AnalysisGroup(cases, i, stratified);
        CountRecord(data.groupResults[g].info, c.isValid);
        if (!c.isValid) continue;
        points.Add(g, c.observationDays, 0, c.statusText, c.statusText == data.eventCode);
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
