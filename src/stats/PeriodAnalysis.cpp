#include "stats/PeriodAnalysis.h"

#include "stats/NetSurvivalTables.h"

namespace kalderon {

bool ComputePeriodAnalysis(CAnalysisData& data, const CaseList& cases, bool stratified)
{
    const bool computed = data.periodTechnique == kProductLimitTechnique
                              ? ComputePeriodProductLimit(data, cases, stratified)
                              : ComputePeriodLifeTable(data, cases, stratified);
    return computed && (!data.UsesNetSurvival() || PutNetSurvivalIntoPeriodTables(data, cases, stratified));
}

}  // namespace kalderon
