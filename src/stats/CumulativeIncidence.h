#pragma once

#include <vector>

#include "stats/AnalysisData.h"
#include "stats/CaseList.h"
#include "stats/CauseTally.h"
#include "stats/Refusal.h"

namespace kalderon {

// The Aalen-Johansen estimate of the cumulative incidence of `cause` in one
// group, a row at every day with events of that cause: the incidence rises
// by S(t-) d/n, S the product-limit estimate of all causes together, and its
// variance is the delta-method (Aalen) variance of Gray's competing-risks
// estimator, with the correction for tied events.  Limits are the incidence
// -/+ z SE, kept inside 0 and 1.
std::vector<CIncidenceRow> IncidenceAtEvents(const CauseTally& tally, int cause, double z);

// The same read at the end of each of `intervals` intervals of `unitDays`
// days: the row's atRisk counts the cases entering the interval, its events
// those of the cause in it, and the incidence is the one after the last
// event day in it.
std::vector<CIncidenceRow> IncidenceAtIntervalEnds(const CauseTally& tally, int cause, double z, double unitDays,
                                                   int intervals);

// Fills every analysed group's incidence curves (one per cause) and, with
// two or more groups holding valid cases, data.grayTests; refused without a
// code of the event of interest or with more causes than it can count.
Refusal ComputeCumulativeIncidence(CAnalysisData& data, const CaseList& cases, bool stratified);

}  // namespace kalderon
