#pragma once

#include "stats/AnalysisData.h"
#include "stats/CaseList.h"

namespace kalderon {

// Standardized mortality (incidence) ratio with Byar limits per group.
// Each analysed group's expectedInterval receives K expected-event sums (one
// per calendar year of the observation window, person-days x rate) followed
// by ratio, lower and upper limit (-1.0 when not computable), observed and
// expected events and person-years.
void ComputeSmrSir(CAnalysisData& data, const CaseList& cases, bool stratified);

struct ByarResult {
    double ratio;
    double lower;
    double upper;
};

// Ratio and Byar limits of `observed` against `expected` events; -1.0 in all
// three when either is 0.
ByarResult ByarLimits(double observed, double expected, double z);

}  // namespace kalderon
