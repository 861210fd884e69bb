#pragma once

#include "stats/AnalysisData.h"
#include "stats/CaseList.h"
#include "stats/Refusal.h"

namespace kalderon {

// Actuarial life table (Cutler-Ederer) for every group (stratified) or for
// all cases together; fills countsAll and intervalTable of the groups.
// Refuses relative survival without a usable population table, leaving the
// record untouched (RelativeSurvivalRefusal), and net survival where it is
// not defined (PutNetSurvivalIntoCohortTables).
[[nodiscard]] Refusal ComputeLifeTable(CAnalysisData& data, const CaseList& cases, bool stratified);

}  // namespace kalderon
