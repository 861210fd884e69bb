#pragma once

#include <string>

#include "stats/AnalysisData.h"
#include "stats/CaseList.h"
#include "stats/Refusal.h"

namespace kalderon {

// Cumulative expected survival per follow-up year (expectedCumulative, and
// for Ederer II the yearly means in expectedInterval) of the first r groups,
// by Ederer II or Hakulinen as data.SurvivalMethod() says.  The cohort version
// serves the life table and product-limit, the period version the period
// analysis (between data.periodBegin and data.periodEnd) and the trend.
void ComputeExpectedSurvivalCohort(CAnalysisData& data, const CaseList& cases, bool stratified);
void ComputeExpectedSurvivalPeriod(CAnalysisData& data, const CaseList& cases, bool stratified);

// Expected survival of a group at position x for a unit of unitDays days:
// the interval index x (end of interval x) for every unit but 1 day, the
// time in days for unitDays 1.  Linear between the yearly values; at or
// beyond the end of the yearly values the last one.
double ExpectedSurvivalAt(const CGroupResult& group, double x, double unitDays);

// Why relative survival cannot be computed on this record (no table chosen,
// or the chosen table has no rows), or nothing when it can.
Refusal RelativeSurvivalRefusal(const CAnalysisData& data);

}  // namespace kalderon
