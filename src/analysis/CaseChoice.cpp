#include "analysis/CaseChoice.h"

#include <algorithm>
#include <climits>
#include <numeric>
#include <unordered_map>

#include "common/LargeArrays.h"
#include "stats/CaseFacts.h"
#include "common/TextNumbering.h"

namespace kalderon {
namespace {

// The values a key gives the records: per record (in case-list order) an
// id; per id its text, label and rank, the rank ordering the ids.
struct KeyValues {
    std::vector<std::int32_t> idOfRecord;
    std::vector<std::string> texts;
    std::vector<std::string> labels;
    std::vector<std::int32_t> rank;

    explicit KeyValues(size_t records) { ResizeLarge(idOfRecord, records); }

    void RankInIdOrder()
    {
        rank.resize(texts.size());
        std::iota(rank.begin(), rank.end(), 0);
    }
};

KeyValues FileKey(const DataSet::FileGrouping& file)
{
    KeyValues key(0);
    key.idOfRecord = file.groupIndex;
    for (const CGroupInfo& info : file.groups) {
        key.texts.push_back(info.code);
        key.labels.push_back(info.label);
    }
    key.RankInIdOrder();
    return key;
}

KeyValues ColumnKey(const DataColumn& column, const CaseList& cases)
{
    KeyValues key(cases.records.size());
    const size_t rows = std::min(column.size(), cases.rowToList.size());
    if (column.IsCoded()) {
        for (size_t row = 0; row < rows; ++row) key.idOfRecord[cases.rowToList[row]] = static_cast<std::int32_t>(column.Code(row));
        for (std::uint32_t code = 0; code < column.CodeCount(); ++code) key.texts.emplace_back(column.CodeText(code));
    } else {
        TextNumbering numbers;
        for (size_t row = 0; row < rows; ++row) {
            const auto [id, isNew] = numbers.Number(column.Value(row));
            if (isNew) key.texts.emplace_back(column.Value(row));
            key.idOfRecord[cases.rowToList[row]] = id;
        }
    }
    if (key.texts.empty()) key.texts.emplace_back();  // rows beyond the column's are empty
    for (const std::string& text : key.texts) {
        const auto found = column.labels().find(text);
        key.labels.push_back(found == column.labels().end() ? std::string() : found->second);
    }
    key.rank = RankOfValues(key.texts);
    return key;
}

// Derived values, or their bands: id 0 for a case without the value.
KeyValues DerivedKey(const GroupKey& group, const CaseList& cases)
{
    KeyValues key(cases.records.size());
    const DerivedField field = group.kind == GroupKey::Kind::kAgeBands       ? DerivedField::kAge
                               : group.kind == GroupKey::Kind::kBeginYearBands ? DerivedField::kBeginYear
                                                                              : group.field.derived;
    const bool bands = group.kind != GroupKey::Kind::kField;
    constexpr int kNone = INT32_MIN;
    int lowest = INT32_MAX, highest = INT32_MIN;
    for (size_t k = 0; k < cases.records.size(); ++k) {
        std::optional<int> value = DerivedValue(field, cases.records[k]);
        if (value && field == DerivedField::kAge && *value < 0) value.reset();
        if (value && bands) value = BandOf(group.cuts, *value);
        key.idOfRecord[k] = value ? *value : kNone;
        if (value) {
            lowest = std::min(lowest, *value);
            highest = std::max(highest, *value);
        }
    }
    key.texts.emplace_back();
    for (int value = lowest; value <= highest; ++value)
        key.texts.push_back(bands ? BandText(group, value) : std::to_string(value));
    for (std::int32_t& id : key.idOfRecord) id = id == kNone ? 0 : id - lowest + 1;
    key.labels.assign(key.texts.size(), std::string());
    key.RankInIdOrder();
    return key;
}

KeyValues KeyOf(const GroupKey& group, const DataSet& data)
{
    if (group.kind == GroupKey::Kind::kFileGroups) return FileKey(*data.fileGrouping);
    if (group.kind == GroupKey::Kind::kField && group.field.derived == DerivedField::kNone)
        return ColumnKey(data.columns[static_cast<size_t>(group.field.column)], data.cases);
    return DerivedKey(group, data.cases);
}

// Per record: whether it meets every condition.
std::vector<std::uint8_t> SelectedRecords(const DataSet& data, const std::vector<CaseCondition>& conditions)
{
    const CaseList& cases = data.cases;
    std::vector<std::uint8_t> selected;
    if (conditions.empty()) return selected;
    selected.assign(cases.records.size(), 1);
    for (const CaseCondition& condition : conditions) {
        if (condition.field.derived != DerivedField::kNone) {
            // Whether each value meets it, worked out once per value: ages
            // and years of valid dates lie within +-kDerivedValues.
            constexpr int kDerivedValues = 10000;
            std::vector<std::int8_t> met(2 * kDerivedValues + 2, -1);
            const auto meets = [&](const std::optional<int>& value) {
                const size_t slot = value ? static_cast<size_t>(std::clamp(*value, -kDerivedValues, kDerivedValues) +
                                                                kDerivedValues + 1)
                                          : 0;
                if (met[slot] < 0) met[slot] = MeetsCondition(condition, value ? std::to_string(*value) : std::string());
                return static_cast<std::uint8_t>(met[slot]);
            };
            for (size_t k = 0; k < cases.records.size(); ++k)
                if (selected[k]) selected[k] = meets(DerivedValue(condition.field.derived, cases.records[k]));
            continue;
        }
        const DataColumn& column = data.columns[static_cast<size_t>(condition.field.column)];
        const size_t rows = std::min(column.size(), cases.rowToList.size());
        if (column.IsCoded()) {
            std::vector<std::uint8_t> met(column.CodeCount());
            for (std::uint32_t code = 0; code < met.size(); ++code)
                met[code] = MeetsCondition(condition, column.CodeText(code)) ? 1 : 0;
            for (size_t row = 0; row < rows; ++row) selected[cases.rowToList[row]] &= met[column.Code(row)];
        } else {
            for (size_t row = 0; row < rows; ++row)
                selected[cases.rowToList[row]] &= MeetsCondition(condition, column.Value(row)) ? 1 : 0;
        }
        for (size_t row = rows; row < cases.rowToList.size(); ++row)
            selected[cases.rowToList[row]] &= MeetsCondition(condition, {}) ? 1 : 0;
    }
    return selected;
}

// The groups of the selected records, one per distinct combination of the
// keys' ids, in the order of the keys' ranks; each record's group (0 for
// the records left out).
void GroupRecords(CaseList& cases, const std::vector<KeyValues>& keys)
{
    const size_t n = cases.records.size();
    // A combination of ids as one number, looked up densely while they are few.
    std::uint64_t combinations = 1;
    for (const KeyValues& key : keys) combinations *= std::max<size_t>(key.texts.size(), 1);
    const auto combinationOf = [&](size_t k) {
        std::uint64_t combination = 0;
        for (const KeyValues& key : keys)
            combination = combination * std::max<size_t>(key.texts.size(), 1) + static_cast<std::uint64_t>(key.idOfRecord[k]);
        return combination;
    };
    const bool dense = combinations <= std::max<std::uint64_t>(n, 1u << 16);
    std::vector<std::int32_t> denseGroup(dense ? combinations : 0, -1);
    std::unordered_map<std::uint64_t, std::int32_t> sparseGroup;
    std::vector<std::uint64_t> found;
    const auto slot = [&](std::uint64_t combination) -> std::int32_t& {
        return dense ? denseGroup[combination] : sparseGroup.try_emplace(combination, -1).first->second;
    };
    for (size_t k = 0; k < n; ++k) {
        if (!cases.IsSelected(k)) continue;
        std::int32_t& group = slot(combinationOf(k));
        if (group < 0) {
            group = static_cast<std::int32_t>(found.size());
            found.push_back(combinationOf(k));
        }
    }

    // The ids of each found combination, then the combinations in rank order.
    std::vector<std::vector<std::int32_t>> ids(found.size(), std::vector<std::int32_t>(keys.size()));
    for (size_t f = 0; f < found.size(); ++f) {
        std::uint64_t rest = found[f];
        for (size_t i = keys.size(); i-- > 0;) {
            const std::uint64_t count = std::max<size_t>(keys[i].texts.size(), 1);
            ids[f][i] = static_cast<std::int32_t>(rest % count);
            rest /= count;
        }
    }
    std::vector<std::int32_t> order(found.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) {
        for (size_t i = 0; i < keys.size(); ++i)
            if (ids[a][i] != ids[b][i]) return keys[i].rank[ids[a][i]] < keys[i].rank[ids[b][i]];
        return false;
    });
    std::vector<std::int32_t> position(found.size());
    cases.groups.clear();
    for (size_t pos = 0; pos < order.size(); ++pos) {
        position[order[pos]] = static_cast<std::int32_t>(pos);
        CGroupInfo info;
        bool labelled = false;
        for (size_t i = 0; i < keys.size(); ++i) {
            const std::int32_t id = ids[order[pos]][i];
            const std::string& label = keys[i].labels[id];
            labelled |= !label.empty();
            const std::string separator = i == 0 ? "" : kCrossedGroupSeparator;
            info.code += separator + keys[i].texts[id];
            info.label += separator + (label.empty() ? keys[i].texts[id] : label);
        }
        if (!labelled) info.label.clear();
        cases.groups.push_back(std::move(info));
    }

    for (size_t k = 0; k < n; ++k) {
        if (!cases.IsSelected(k)) {
            cases.groupIndex[k] = 0;
            continue;
        }
        const std::int32_t group = position[slot(combinationOf(k))];
        cases.groupIndex[k] = group;
        CGroupInfo& info = cases.groups[group];
        info.recordsRead += 1;
        (cases.records[k].isValid ? info.recordsValid : info.recordsSkipped) += 1;
    }
}

// The codes of `facts` (numbered in case-list order) in the order of their
// first row.
std::vector<std::string> InRowOrder(const std::vector<std::string>& codes, const std::vector<std::int32_t>& firstRow)
{
    std::vector<std::int32_t> order(codes.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) { return firstRow[a] < firstRow[b]; });
    std::vector<std::string> inOrder;
    for (const std::int32_t code : order) inOrder.push_back(codes[code]);
    return inOrder;
}

// What reading only the selected cases would have left in the record: first
// begin, last end and longest observation of the valid ones, and their
// status and sex codes in the order the rows first show them.  Read off the
// facts, which hold the valid selected cases in case-list order.
void RecountBookkeeping(const CaseList& cases, CAnalysisData& analysis)
{
    const CaseFacts& facts = cases.facts;
    std::vector<std::int32_t> rowOfRecord(cases.records.size());
    for (size_t row = 0; row < cases.rowToList.size(); ++row)
        rowOfRecord[cases.rowToList[row]] = static_cast<std::int32_t>(row);
    std::vector<std::int32_t> firstStatusRow(facts.statusCodes.size(), INT32_MAX);
    std::vector<std::int32_t> firstSexRow(facts.sexCodes.size(), INT32_MAX);
    const CAnalysisData fresh;
    double firstBegin = 0.0, lastEnd = 0.0;
    std::int32_t longest = fresh.maxObservationDays;
    bool any = false;
    for (size_t k = 0; k < facts.cases.size(); ++k) {
        const CaseFact& fact = facts.cases[k];
        if (fact.observationDays < 0) continue;  // not valid, or not selected
        const std::int32_t row = rowOfRecord[k];
        firstStatusRow[fact.statusCode] = std::min(firstStatusRow[fact.statusCode], row);
        std::int32_t& sexRow = firstSexRow[facts.starts[fact.start].sexCode];
        sexRow = std::min(sexRow, row);
        firstBegin = any ? std::min(firstBegin, facts.beginDays[k]) : facts.beginDays[k];
        lastEnd = any ? std::max(lastEnd, facts.endDays[k]) : facts.endDays[k];
        longest = std::max(longest, fact.observationDays);
        any = true;
    }
    analysis.statusCodes = InRowOrder(facts.statusCodes, firstStatusRow);
    analysis.sexCodes = InRowOrder(facts.sexCodes, firstSexRow);
    analysis.firstBeginDate = any ? DateValue::FromSerial(firstBegin) : fresh.firstBeginDate;
    analysis.lastEndDate = any ? DateValue::FromSerial(lastEnd) : fresh.lastEndDate;
    analysis.maxObservationDays = longest;
}

std::string CodeAt(const std::vector<std::string>& codes, std::int32_t index)
{
    return index >= 0 && static_cast<size_t>(index) < codes.size() ? codes[static_cast<size_t>(index)] : std::string();
}

std::int32_t PositionOf(const std::vector<std::string>& codes, const std::string& code, std::int32_t otherwise)
{
    const auto found = std::find(codes.begin(), codes.end(), code);
    return found == codes.end() ? otherwise : static_cast<std::int32_t>(found - codes.begin());
}

}  // namespace

void ApplyCaseChoice(DataSet& data, const CaseChoice& choice)
{
    CaseList& cases = data.cases;
    if (!data.fileGrouping) data.fileGrouping = DataSet::FileGrouping{cases.groups, cases.groupIndex, data.hasGroupColumn};
    cases.selected = SelectedRecords(data, choice.conditions);

    std::vector<KeyValues> keys;
    if (choice.grouping.regroups())
        for (const GroupKey& key : choice.grouping.keys) keys.push_back(KeyOf(key, data));
    else
        keys.push_back(FileKey(*data.fileGrouping));
    GroupRecords(cases, keys);
    keys.clear();
    data.hasGroupColumn = choice.grouping.regroups() || data.fileGrouping->hasGroupColumn;

    FillCaseFacts(cases.facts, cases.records, cases.groupIndex, cases.selected);

    CAnalysisData& analysis = data.analysis;
    const std::string eventCode = CodeAt(analysis.statusCodes, analysis.eventCodeIndex);
    const std::string sexCode = CodeAt(analysis.sexCodes, analysis.sexCodeIndex);
    RecountBookkeeping(cases, analysis);
    // The codes chosen before keep their choice where the cases still have them.
    analysis.eventCodeIndex = PositionOf(analysis.statusCodes, eventCode, analysis.eventCodeIndex);
    analysis.sexCodeIndex = PositionOf(analysis.sexCodes, sexCode, analysis.sexCodeIndex);
    analysis.groupResults.clear();
    for (const CGroupInfo& info : cases.groups) {
        CGroupResult result;
        result.info = info;
        result.intervalTable.ciLevelText = analysis.ciLevelText;  // as the parameters left it
        analysis.groupResults.push_back(std::move(result));
    }
    analysis.selectionText = SelectionText(choice.conditions);
}

}  // namespace kalderon
