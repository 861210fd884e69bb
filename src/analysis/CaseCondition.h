#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/CaseField.h"
#include "stats/DataColumns.h"
#include "stats/Refusal.h"

namespace kalderon {

// One condition a case must meet to be selected: the value of a field is
// one of a list, none of a list (texts compared byte by byte), lies in a
// range of numbers or dates (ends inclusive, either open), or is empty.
struct CaseCondition {
    enum class Test : std::uint8_t { kOneOf, kNoneOf, kRange, kEmpty };

    CaseField field;
    Test test = Test::kOneOf;
    std::vector<std::string> values;  // kOneOf, kNoneOf
    // kRange: the ends as numbers (dates as day numbers) and as written.
    std::optional<double> from, to;
    std::string fromText, toText;
    bool dates = false;

    // "stage=1,2", "stage!=9", "age=15..99", "diagnosis=01.01.2005..",
    // "grade=": the condition as the report states it.
    std::string Text() const;
};

// Reads a condition written "FIELD=V1,V2,...", "FIELD!=V1,...",
// "FIELD=FROM..TO" (numbers, or dates DD.MM.YYYY; FROM.. and ..TO open) or
// "FIELD=" (empty).  Refused, naming the condition, when the field does not
// exist (FindCaseField), the ends of a range read neither as numbers nor
// as dates, or the operator is none of these.
Refusal ReadCaseCondition(const DataColumns& columns, bool hasBirthColumn, std::string_view text,
                          CaseCondition& condition);

// A range of numbers or dates from its two ends as written, an empty end
// open; refused when an end reads as neither or the two differ in kind.
Refusal ReadRange(const std::string& fromText, const std::string& toText, CaseCondition& condition);

// Whether a value meets the condition.
bool MeetsCondition(const CaseCondition& condition, std::string_view value);

// "stage=1,2; age=15..99": the conditions as the report's selection line
// states them.
std::string SelectionText(const std::vector<CaseCondition>& conditions);

}  // namespace kalderon
