#pragma once

#include "stats/AnalysisData.h"
#include "stats/CaseList.h"
#include "stats/Refusal.h"

namespace kalderon {

// Product-limit (Kaplan-Meier) estimate for every group (stratified) or for
// all cases together: one time point per valid case, at every death the
// number at risk, proportion surviving, cumulative survival, Greenwood
// standard error and limits.  Fills timePoints of the groups.  Refuses what
// the life table refuses.
[[nodiscard]] Refusal ComputeProductLimit(CAnalysisData& data, const CaseList& cases, bool stratified);

}  // namespace kalderon
