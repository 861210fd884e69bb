#include "stats/AnalysisData.h"

namespace kalderon {

void CAnalysisData::Reset()
{
    *this = CAnalysisData{};
}

ExpectedSurvivalMethod CAnalysisData::SurvivalMethod() const
{
    if (netSurvival != 0) return ExpectedSurvivalMethod::kPoharPerme;
    return useHakulinen != 0 ? ExpectedSurvivalMethod::kHakulinen : ExpectedSurvivalMethod::kEdererII;
}

void CAnalysisData::SetSurvivalMethod(ExpectedSurvivalMethod method)
{
    useHakulinen = method == ExpectedSurvivalMethod::kHakulinen ? 1 : 0;
    netSurvival = method == ExpectedSurvivalMethod::kPoharPerme ? 1 : 0;
}

std::int32_t CAnalysisData::TotalRecordsValid() const
{
    std::int32_t sum = 0;
    for (const CGroupResult& g : groupResults) sum += g.info.recordsValid;
    return sum;
}

std::int32_t CAnalysisData::TotalRecordsSkipped() const
{
    std::int32_t sum = 0;
    for (const CGroupResult& g : groupResults) sum += g.info.recordsSkipped;
    return sum;
}

std::int32_t CAnalysisData::TotalRecordsRead() const
{
    std::int32_t sum = 0;
    for (const CGroupResult& g : groupResults) sum += g.info.recordsRead;
    return sum;
}


}  // namespace kalderon
