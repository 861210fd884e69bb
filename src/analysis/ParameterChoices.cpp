#include "analysis/ParameterChoices.h"

#include <algorithm>

namespace kalderon {

void ApplyParameterChoices(CAnalysisData& data, const ParameterChoices& choices)
{
    data.timeUnit = choices.timeUnit;
    data.PrepareTimeWindow();

    data.eventCode = choices.eventCode;
    const auto found = std::find(data.statusCodes.begin(), data.statusCodes.end(), choices.eventCode);
    data.eventCodeIndex = found == data.statusCodes.end() ? 0 : static_cast<std::int32_t>(found - data.statusCodes.begin());

    data.ciLevelText = choices.ciLevelText;
    for (CGroupResult& group : data.groupResults) group.intervalTable.ciLevelText = choices.ciLevelText;
}

}  // namespace kalderon
