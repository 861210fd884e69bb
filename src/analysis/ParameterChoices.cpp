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

    SetConfidenceLevel(data, choices.ciLevelText);
}

void SetConfidenceLevel(CAnalysisData& data, const std::string& ciLevelText)
{
    data.ciLevelText = ciLevelText;
    for (CGroupResult& group : data.groupResults) group.intervalTable.ciLevelText = ciLevelText;
}

std::string SexCodeFirstOf(const std::vector<std::string>& sexCodes, const SexCodingChoice& choice)
{
    const bool listed = choice.index >= 0 && static_cast<size_t>(choice.index) < sexCodes.size();
    if (!choice.female) return listed ? sexCodes[choice.index] : std::string();
    if (sexCodes.size() == 1) return sexCodes[0] + "M";
    if (sexCodes.empty()) return std::string();
    return sexCodes[choice.index == 0 ? 1 : 0];
}

void ApplyPopulationChoices(CAnalysisData& data, const PopulationChoices& choices)
{
    data.sexCodeFirst = SexCodeFirstOf(data.sexCodes, choices.sexCoding);
    data.sexCodeIndex = choices.sexCoding.index;
    data.sexCodeIsFemale = choices.sexCoding.female ? 1 : 0;
    data.populationTableName = choices.tableName;
}

}  // namespace kalderon
