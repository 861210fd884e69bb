#include "stats/PeriodAnalysis.h"

namespace kalderon {

bool ComputePeriodAnalysis(CAnalysisData& data, const CaseList& cases, bool stratified)
{
    return data.periodTechnique == 1 ? ComputePeriodProductLimit(data, cases, stratified)
                                     : ComputePeriodLifeTable(data, cases, stratified);
}

}  // namespace kalderon
