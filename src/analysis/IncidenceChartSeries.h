#pragma once

#include "stats/AnalysisData.h"
#include "stats/CaseList.h"

namespace kalderon {

// The record the chart of a cumulative incidence draws: one series per
// analysed group and cause, named by the cause's codes (after the group's
// name when stratified), whose curve rises from 0.  At the days of the
// events a series holds a row at every day on which a case of the group
// ended, an event row where the cause rose, so that its at-risk counts give
// the numbers at risk under the chart; at interval ends it holds the
// interval rows up to the first that nobody entered.
CAnalysisData IncidenceChartData(const CAnalysisData& data, const CaseList& cases, bool stratified);

}  // namespace kalderon
