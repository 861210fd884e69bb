#include "stats/RelativeSurvival.h"

#include "stats/ConfidenceLimits.h"
#include "stats/ExpectedSurvival.h"

namespace kalderon {

void DivideTimePointsByExpected(CGroupResult& group, const std::string& eventCode, double& maxRelativeUpper)
{
    for (CTimePointResult& row : group.timePoints)
        if (row.statusText == eventCode)
            DivideByExpected(row, ExpectedSurvivalAt(group, row.survivalDays, 1.0), maxRelativeUpper);
}

void DivideIntervalRowsByExpected(CGroupResult& group, double unitDays, double& maxRelativeUpper)
{
    std::vector<CIntervalResult>& rows = group.intervalTable.rows;
    for (size_t i = 0; i < rows.size(); ++i)
        DivideByExpected(rows[i], ExpectedSurvivalAt(group, static_cast<double>(i), unitDays), maxRelativeUpper);
}

}  // namespace kalderon
