#pragma once

#include "stats/AnalysisData.h"
#include "stats/CaseList.h"

namespace kalderon {

// Group of a case for a computation: its group when stratified, else 0.
inline int AnalysisGroup(const CaseList& cases, size_t listIndex, bool stratified)
{
    return stratified ? cases.groupIndex[listIndex] : 0;
}

// Number of groups a computation fills: all of them when stratified, else 1.
inline int AnalysedGroupCount(const CAnalysisData& data, bool stratified)
{
    return stratified ? static_cast<int>(data.groupResults.size()) : 1;
}

// Counts a visited case into the record counters of its group.
inline void CountRecord(CGroupInfo& info, bool isValid)
{
    info.recordsRead += 1;
    (isValid ? info.recordsValid : info.recordsSkipped) += 1;
}

inline void ResetRecordCounters(CGroupInfo& info)
{
    info.recordsRead = info.recordsValid = info.recordsSkipped = 0;
}

}  // namespace kalderon
