#pragma once

#include "stats/AnalysisData.h"
#include "stats/CaseList.h"

namespace kalderon {

// Actuarial life table (Cutler-Ederer) for every group (stratified) or for
// all cases together; fills countsAll and intervalTable of the groups.
// Returns false, leaving the record untouched, when relative survival is
// asked for without a usable population table (RelativeSurvivalRefusal).
bool ComputeLifeTable(CAnalysisData& data, const CaseList& cases, bool stratified);

}  // namespace kalderon
