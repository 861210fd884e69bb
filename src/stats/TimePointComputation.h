#pragma once

#include <vector>

#include "stats/AnalysisData.h"
#include "stats/CaseList.h"
#include "stats/ExpectedSurvival.h"
#include "stats/GroupCounters.h"
#include "stats/RelativeSurvival.h"
#include "stats/TimePointCollector.h"
#include "stats/TimeUnit.h"

namespace kalderon {

using ExpectedSurvivalVersion = void (*)(CAnalysisData&, const CaseList&, bool);

// The frame of the product-limit computations: refused when relative
// survival lacks a usable population table; title, tables and record
// counters reset; expected survival by `expected`; one pass over the cases
// that counts every record and hands each valid case to
// addCase(points, group, case); then per group the time points in order,
// estimate(rows, z) and the division by the expected survival.
template <typename AddCase, typename Estimate>
Refusal ComputeTimePoints(CAnalysisData& data, const CaseList& cases, bool stratified, ExpectedSurvivalVersion expected,
                          AddCase addCase, Estimate estimate)
{
    if (data.relativeSurvival)
        if (Refusal refusal = RelativeSurvivalRefusal(data)) return refusal;
    data.title = cases.sourcePath;
    for (CGroupResult& group : data.groupResults) {
        group.timePoints.clear();
        ResetRecordCounters(group.info);
    }
    data.maxRelativeUpper = 1.0;
    if (data.groupResults.empty()) return std::nullopt;
    if (data.relativeSurvival) expected(data, cases, stratified);

    const int groupCount = AnalysedGroupCount(data, stratified);
    TimePointCollector points(groupCount);
    for (int g = 0; g < groupCount; ++g) {
        const bool counted = stratified && static_cast<size_t>(g) < cases.groups.size();
        points.Reserve(g, counted ? static_cast<size_t>(cases.groups[g].recordsValid) : cases.records.size());
    }
    for (size_t i = 0; i < cases.records.size(); ++i) {
        if (!cases.IsSelected(i)) continue;
        const CCaseRecord& c = cases.records[i];
        const int g = AnalysisGroup(cases, i, stratified);
        CountRecord(data.groupResults[g].info, c.isValid);
        if (c.isValid) addCase(points, g, c);
    }

    const double z = ZValue(data.ciLevelText);
    for (int g = 0; g < groupCount; ++g) {
        std::vector<CTimePointResult>& rows = data.groupResults[g].timePoints;
        points.Fill(g, rows);
        estimate(rows, z);
        if (data.relativeSurvival)
            DivideTimePointsByExpected(data.groupResults[g], data.eventCode, data.maxRelativeUpper);
    }
    return std::nullopt;
}

}  // namespace kalderon
