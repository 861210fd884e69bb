#pragma once

#include <vector>

#include "stats/AnalysisData.h"
#include "stats/CaseList.h"
#include "stats/GroupTest.h"
#include "stats/SurvivalQuartiles.h"

namespace kalderon {

// How the groups of a life table or product-limit analysis compare: the
// log-rank and the Peto-Peto test on the exact observation times, and for a
// product-limit analysis the quartiles of every curve.
struct GroupComparison {
    std::vector<GroupTest> tests;           // log-rank, Peto-Peto; empty with fewer than two groups
    std::vector<GroupQuartiles> quartiles;  // product-limit only: one per analysed group
    bool severalGroups = false;             // the groups were analysed separately
    std::int32_t timeUnit = 0;              // of the quartile times
};

// Whether an analysis of this kind has a comparison of groups.
bool HasGroupComparison(AnalysisKind kind);

// The comparison after the computation of `kind` with `stratified` has
// filled data (the quartiles read the product-limit tables of data).  The
// groups are those the computation analysed; other kinds give an empty
// comparison.
GroupComparison CompareGroups(const CAnalysisData& data, const CaseList& cases, AnalysisKind kind,
                              bool stratified);

}  // namespace kalderon
