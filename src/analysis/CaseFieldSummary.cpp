#include "analysis/CaseFieldSummary.h"

#include <algorithm>
#include <limits>
#include <map>

#include "analysis/CaseGrouping.h"
#include "common/TextFormat.h"
#include "resources/Texts.h"
#include "stats/CaseValidity.h"

namespace kalderon {
namespace {

std::int64_t SelectedCount(const CaseList& cases)
{
    if (cases.selected.empty()) return static_cast<std::int64_t>(cases.records.size());
    return std::count(cases.selected.begin(), cases.selected.end(), 1);
}

// The distinct values of a field with their counts.
std::map<std::string, std::int64_t> CountValues(const DataSet& data, const CaseField& field)
{
    std::map<std::string, std::int64_t> counts;
    std::string buffer;
    const CaseList& cases = data.cases;
    if (field.derived == DerivedField::kNone) {
        const DataColumn& column = data.columns[static_cast<size_t>(field.column)];
        if (column.IsCoded()) {
            std::vector<std::int64_t> perCode(column.CodeCount());
            for (size_t row = 0; row < column.size(); ++row) ++perCode[column.Code(row)];
            for (std::uint32_t code = 0; code < perCode.size(); ++code)
                counts[std::string(column.CodeText(code))] += perCode[code];
            return counts;
        }
    }
    for (size_t row = 0; row < cases.rowToList.size(); ++row)
        ++counts[std::string(FieldText(data.columns, field, row, cases.row(row), buffer))];
    return counts;
}

std::string EndText(double value, bool date)
{
    return date ? DateValue::FromSerial(value).format("%d.%m.%Y") : FormatText("%.15g", value);
}

}  // namespace

FieldSummary SummariseField(const DataSet& data, const CaseField& field)
{
    const std::map<std::string, std::int64_t> counts = CountValues(data, field);
    FieldSummary summary;
    double lowest = std::numeric_limits<double>::infinity(), highest = -lowest;
    bool numbers = true, dates = true;
    for (const auto& [value, count] : counts) {
        if (value.empty()) continue;
        const std::optional<double> number = ReadNumber(value);
        const std::optional<double> date = number ? std::nullopt : FieldDate(value);
        numbers &= number.has_value();
        dates &= date.has_value();
        if (number || date) {
            lowest = std::min(lowest, number ? *number : *date);
            highest = std::max(highest, number ? *number : *date);
        }
    }
    const bool manyNumbers = counts.size() > kMostListedNumbers && (numbers || dates) && lowest <= highest;
    if (field.derived != DerivedField::kNone || manyNumbers) {
        summary.isRange = lowest <= highest;
        summary.dates = dates && !numbers;
        if (summary.isRange) {
            summary.lowest = EndText(lowest, summary.dates);
            summary.highest = EndText(highest, summary.dates);
            return summary;
        }
    }
    std::vector<std::string> values;
    for (const auto& entry : counts) values.push_back(entry.first);
    const std::vector<std::int32_t> rank = RankOfValues(values);
    summary.values.resize(values.size());
    const ValueLabels* labels =
        field.derived == DerivedField::kNone ? &data.columns[static_cast<size_t>(field.column)].labels() : nullptr;
    for (size_t i = 0; i < values.size(); ++i) {
        FieldValueCount& item = summary.values[static_cast<size_t>(rank[i])];
        item.value = values[i];
        item.count = counts.at(values[i]);
        const auto label = labels ? labels->find(values[i]) : ValueLabels::const_iterator{};
        const std::string shown = values[i].empty() ? std::string(text::kEmptyValue) : values[i];
        item.entry = labels && label != labels->end()
                         ? FormatText(text::kLabelledValueCount, shown, label->second, static_cast<long long>(item.count))
                         : FormatText(text::kValueCount, shown, static_cast<long long>(item.count));
    }
    return summary;
}

std::vector<std::string> CaseFieldNames(const DataSet& data, bool withDerived)
{
    std::vector<std::string> names;
    if (data.columns.rowCount() == data.cases.rowToList.size())
        for (size_t i = 0; i < data.columns.columnCount(); ++i) names.push_back(data.columns[i].name());
    if (!withDerived) return names;
    if (data.hasBirthColumn) names.emplace_back(kAgeFieldName);
    names.emplace_back(kBeginYearFieldName);
    return names;
}

std::string CaseCountsWithSelection(const DataSet& data)
{
    const std::string counts = CaseCountsText(CountCases(data.cases.records));
    if (data.cases.selected.empty()) return counts;
    return FormatText(text::kSelectedCount, counts, static_cast<long long>(SelectedCount(data.cases)));
}

std::string SelectionNote(const CAnalysisData& data, const CaseList& cases)
{
    if (data.selectionText.empty()) return {};
    return FormatText(text::kSelectionNote, data.selectionText, static_cast<long long>(SelectedCount(cases)),
                      static_cast<long long>(cases.records.size()));
}

}  // namespace kalderon
