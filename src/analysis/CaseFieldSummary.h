#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/CaseField.h"
#include "import/DataSet.h"

namespace kalderon {

// One value of a field with the number of cases that have it, and the
// entry that shows both ("2 (345)", "1 = I (120)", "(empty) (3)").
struct FieldValueCount {
    std::string value;
    std::string entry;
    std::int64_t count = 0;
};

// What the selection dialog shows of a field: its values with their counts
// in value order, or, for numbers and dates of many values and for the
// derived values, the lowest and the highest as a range's ends are written.
struct FieldSummary {
    bool isRange = false;
    std::vector<FieldValueCount> values;
    std::string lowest, highest;
    bool dates = false;
};

inline constexpr size_t kMostListedNumbers = 30;

FieldSummary SummariseField(const DataSet& data, const CaseField& field);

// The names the fields of a data set are chosen by: every column's, then,
// `withDerived`, the derived values (the age only with dates of birth).
std::vector<std::string> CaseFieldNames(const DataSet& data, bool withDerived = true);

// "1200 cases read: 1180 valid, 20 skipped; 345 selected".
std::string CaseCountsWithSelection(const DataSet& data);

// What the parameter dialogs say while a selection holds: its conditions
// and how many cases it keeps; empty otherwise.
std::string SelectionNote(const CAnalysisData& data, const CaseList& cases);

}  // namespace kalderon
