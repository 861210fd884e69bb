#include "stats/AnalysisData.h"

namespace kalderon {

void CAnalysisData::Reset()
{
    *this = CAnalysisData{};
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
