#include "stats/PeriodAnalysis.h"

#include "stats/NetSurvivalTables.h"

namespace kalderon {

Refusal ComputePeriodAnalysis(CAnalysisData& data, const CaseList& cases, bool stratified)
{
    Refusal refusal = data.periodTechnique == kProductLimitTechnique
                          ? ComputePeriodProductLimit(data, cases, stratified)
                          : ComputePeriodLifeTable(data, cases, stratified);
    if (!refusal && data.UsesNetSurvival()) refusal = PutNetSurvivalIntoPeriodTables(data, cases, stratified);
    return refusal;
}

}  // namespace kalderon
