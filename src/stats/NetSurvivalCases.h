#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "stats/AgeStandardisation.h"
#include "stats/AnalysisData.h"
#include "stats/CaseList.h"
#include "stats/NetSurvival.h"

namespace kalderon {

// The valid cases of the first r groups (r as the survival computations
// count them) as the net survival estimator takes them.  Cohort: at risk
// from day 0 to the end of follow-up.  Period: the cases and the days the
// period product-limit counts at risk (follow-up cut at the end of the
// period, entry on the day before the period begins); the weights still run
// from the begin of follow-up.
std::vector<std::vector<NetSurvivalCase>> CohortNetSurvivalCases(const CAnalysisData& data, const CaseList& cases,
                                                                 bool stratified);
std::vector<std::vector<NetSurvivalCase>> PeriodNetSurvivalCases(const CAnalysisData& data, const CaseList& cases,
                                                                 bool stratified);

// A group's cases by the age group of their age at the begin of follow-up,
// with the number of cases under 15 that are left out.
struct CasesByAgeGroup {
    std::array<std::vector<NetSurvivalCase>, kIcssAgeGroups> groups;
    std::int64_t underAge = 0;
};
CasesByAgeGroup SplitByIcssAgeGroup(const std::vector<NetSurvivalCase>& cases);

// Net survival of the first r groups into groupResults' netCumulativeHazard
// and netHazardVariance (per day); the arrays of the other groups are emptied.
void ComputeNetSurvivalCohort(CAnalysisData& data, const CaseList& cases, bool stratified);
void ComputeNetSurvivalPeriod(CAnalysisData& data, const CaseList& cases, bool stratified);

}  // namespace kalderon
