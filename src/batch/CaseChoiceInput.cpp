#include "batch/CaseChoiceInput.h"

#include "analysis/CaseChoice.h"
#include "batch/BatchMessages.h"
#include "common/TextFormat.h"

namespace kalderon::batch {
namespace {

GroupKey Bands(GroupKey::Kind kind, const std::vector<int>& cuts)
{
    GroupKey key;
    key.kind = kind;
    key.cuts = cuts;
    return key;
}

// The keys of the grouping asked for; the file's group joins bands as the
// first key.  Refused when a field does not exist or more than two keys are
// asked for.
Refusal GroupingOf(const BatchOptions& o, bool fileGroupGiven, const DataSet& dataSet, CaseGrouping& grouping)
{
    if (!o.groupKeys.empty()) {
        if (!o.crossedGroupFields.empty() || !o.ageCuts.empty() || !o.beginYearCuts.empty())
            return text::kGroupByAlone;
        for (const std::string& written : o.groupKeys) {
            GroupKey key;
            if (Refusal refusal = ReadGroupKey(dataSet.columns, dataSet.hasBirthColumn, written, key))
                return "--group-by: " + *refusal;
            if (key.kind == GroupKey::Kind::kFileGroups && !fileGroupGiven) return text::kFileGroupsNeedGroup;
            grouping.keys.push_back(std::move(key));
        }
        return grouping.keys.size() > kMostGroupKeys ? Refusal(text::kTooManyGroupKeys) : std::nullopt;
    }
    for (const std::string& name : o.crossedGroupFields) {
        GroupKey key;
        if (Refusal refusal = FindCaseField(dataSet.columns, dataSet.hasBirthColumn, name, key.field))
            return "--group: " + *refusal;
        grouping.keys.push_back(std::move(key));
    }
    if (fileGroupGiven && (!o.ageCuts.empty() || !o.beginYearCuts.empty()))
        grouping.keys.push_back(Bands(GroupKey::Kind::kFileGroups, {}));
    if (!o.ageCuts.empty()) {
        if (!dataSet.hasBirthColumn) return FormatText(text::kAgeNeedsBirth, "--age-groups");
        grouping.keys.push_back(Bands(GroupKey::Kind::kAgeBands, o.ageCuts));
    }
    if (!o.beginYearCuts.empty()) grouping.keys.push_back(Bands(GroupKey::Kind::kBeginYearBands, o.beginYearCuts));
    if (grouping.keys.size() > kMostGroupKeys) return text::kTooManyGroupKeys;
    return std::nullopt;
}

}  // namespace

std::optional<int> ReadCaseChoice(const BatchOptions& options, const DataSet& dataSet, CaseChoice& choice,
                                  std::ostream& err)
{
    choice = CaseChoice{};
    const bool fileGroupGiven = options.isDatabase ? !options.database.group.empty() : options.import.useGroup;
    for (const std::string& written : options.conditions) {
        CaseCondition condition;
        if (const Refusal refusal = ReadCaseCondition(dataSet.columns, dataSet.hasBirthColumn, written, condition)) {
            WriteMessage(err, "--where: " + *refusal);
            return kExitUsage;
        }
        choice.conditions.push_back(std::move(condition));
    }
    if (options.regroups())
        if (const Refusal refusal = GroupingOf(options, fileGroupGiven, dataSet, choice.grouping)) {
            WriteMessage(err, *refusal);
            return kExitUsage;
        }
    return std::nullopt;
}

}  // namespace kalderon::batch
