#include "analysis/ParameterChoices.h"

#include <algorithm>

namespace kalderon {
namespace {

// The position of `wanted` when `codes` are exactly `other` and `wanted`,
// else the first position.
std::int32_t SecondWhenPair(const std::vector<std::string>& codes, const char* other, const char* wanted)
{
    return codes.size() == 2 && codes[0] == other && codes[1] == wanted ? 1 : 0;
}

// Whether a dialog (or the command line) has set the codings: the record
// then differs from its reset values there.
bool CodingsChosen(const CAnalysisData& data)
{
    return !data.eventCode.empty() || data.eventCodeIndex != 0 || !data.sexCodeFirst.empty() ||
           data.sexCodeIndex != 0 || data.sexCodeIsFemale != 0;
}

}  // namespace

void ApplyParameterChoices(CAnalysisData& data, const ParameterChoices& choices)
{
    data.timeUnit = choices.timeUnit;
    data.PrepareTimeWindow();

    data.eventCode = choices.eventCode;
    const auto found = std::find(data.statusCodes.begin(), data.statusCodes.end(), choices.eventCode);
    data.eventCodeIndex = found == data.statusCodes.end() ? 0 : static_cast<std::int32_t>(found - data.statusCodes.begin());

    SetConfidenceLevel(data, choices.ciLevelText);
}

std::int32_t DefaultEventCodeIndex(const std::vector<std::string>& statusCodes)
{
    return SecondWhenPair(statusCodes, "0", "1");
}

SexCodingChoice DefaultSexCoding(const std::vector<std::string>& sexCodes)
{
    return SexCodingChoice{SecondWhenPair(sexCodes, "2", "1"), false};
}

std::int32_t PreselectedEventCodeIndex(const CAnalysisData& data)
{
    return CodingsChosen(data) ? data.eventCodeIndex : DefaultEventCodeIndex(data.statusCodes);
}

SexCodingChoice PreselectedSexCoding(const CAnalysisData& data)
{
    if (!CodingsChosen(data)) return DefaultSexCoding(data.sexCodes);
    return SexCodingChoice{data.sexCodeIndex, data.sexCodeIsFemale != 0};
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
