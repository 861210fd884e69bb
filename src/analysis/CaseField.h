#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "stats/CaseRecord.h"
#include "stats/DataColumns.h"
#include "stats/Refusal.h"

namespace kalderon {

// The two values every case has beside the columns of its file: its age at
// the beginning of follow-up in completed years and the calendar year of
// that beginning.
enum class DerivedField : std::uint8_t { kNone, kAge, kBeginYear };

inline constexpr const char* kAgeFieldName = "age";
inline constexpr const char* kBeginYearFieldName = "begin-year";

// A field cases are selected or grouped by: a column of the data set or a
// derived value, with the name it was asked for by.
struct CaseField {
    std::int32_t column = -1;
    DerivedField derived = DerivedField::kNone;
    std::string name;
};

// The field of that name: "age", "begin-year", a column's name or, where
// no column bears the name, a column's number (1, 2, ...).  Refused when
// there is none, and for the age when the cases have no date of birth.
Refusal FindCaseField(const DataColumns& columns, bool hasBirthColumn, std::string_view name, CaseField& field);

// The derived value of a case; nothing when its dates do not give it.
std::optional<int> DerivedValue(DerivedField field, const CCaseRecord& c);

// The value of a field for the case of a row, as a text ("64" for an age)
// and read as a number; a date is read as its day number (DD.MM.YYYY,
// YYYY-MM-DD or YYYYMMDD).
std::string_view FieldText(const DataColumns& columns, const CaseField& field, size_t row, const CCaseRecord& c,
                           std::string& buffer);
std::optional<double> FieldDate(std::string_view text);

}  // namespace kalderon
