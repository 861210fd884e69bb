#include "stats/GroupComparison.h"

#include "stats/GroupCounters.h"
#include "stats/PooledTimes.h"
#include "stats/TimeUnit.h"

namespace kalderon {

bool HasGroupComparison(AnalysisKind kind) { return kind == kLifeTable || kind == kProductLimit; }

GroupComparison CompareGroups(const CAnalysisData& data, const CaseList& cases, AnalysisKind kind,
                              bool stratified)
{
    GroupComparison comparison;
    comparison.timeUnit = data.timeUnit;
    if (!HasGroupComparison(kind) || data.groupResults.empty()) return comparison;
    const int groups = AnalysedGroupCount(data, stratified);
    comparison.severalGroups = groups > 1;

    if (groups > 1) {
        std::vector<std::string> codes;
        for (int g = 0; g < groups; ++g) codes.push_back(GroupName(data.groupResults[g].info));
        const PooledTimes times(cases, data.eventCode, stratified, groups);
        comparison.tests.push_back(ComputeGroupTest(times, codes, 0.0));
        comparison.tests.push_back(ComputeGroupTest(times, codes, 1.0));
    }

    if (kind == kProductLimit) {
        const double z = ZValue(data.ciLevelText);
        const double unitDays = UnitDays(data.timeUnit);
        for (int g = 0; g < groups; ++g) {
            const CGroupResult& group = data.groupResults[g];
            comparison.quartiles.push_back(
                {GroupName(group.info), ProductLimitQuartiles(group.timePoints, data.eventCode, z, unitDays)});
        }
    }
    return comparison;
}

}  // namespace kalderon
