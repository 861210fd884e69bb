#include "import/ColumnAssignment.h"

#include "import/FieldConversions.h"

namespace kalderon {
namespace {

using Role = CColumnAssignment::Role;

DateValue CompleteDate(RowFieldReader& row, std::int32_t column)
{
    DateValue date;
    VariantToDate(row[column], date);
    return date;
}

std::int32_t DatePart(RowFieldReader& row, std::int32_t column)
{
    std::int32_t value;
    return VariantToInt(row[column], value) ? value : -1;
}

// A date from day, month and year fields: no day field means the 15th, a
// field that does not convert makes the date invalid, two-digit years are
// 19xx.
DateValue SeparateDate(RowFieldReader& row, std::int32_t dayColumn, std::int32_t monthColumn, std::int32_t yearColumn)
{
    const std::int32_t day = dayColumn < 0 ? 15 : DatePart(row, dayColumn);
    const std::int32_t month = DatePart(row, monthColumn);
    std::int32_t year = DatePart(row, yearColumn);
    if (year >= 0 && year < 100) year += 1900;
    if (day == -1 || month == -1 || year == -1) return DateValue::Invalid();
    return DateValue::FromYmd(year, month, day);
}

std::string OptionalText(RowFieldReader& row, std::int32_t column)
{
    return column < 0 ? std::string() : VariantToText(row[column]);
}

}  // namespace

bool CColumnAssignment::hasBirthColumn() const
{
    if (dateInSeparateColumns) return columns[kBirthMonth] >= 0 || columns[kBirthYear] >= 0;
    return columns[kBirth] >= 0;
}

ReadResult<void> ReadDatabaseRecord(const Recordset& rows, const CColumnAssignment& a, ImportedRecordValues& values)
{
    RowFieldReader row(rows);
    if (a.dateInSeparateColumns) {
        values.beginDate = SeparateDate(row, a[Role::kBeginDay], a[Role::kBeginMonth], a[Role::kBeginYear]);
        values.endDate = SeparateDate(row, a[Role::kEndDay], a[Role::kEndMonth], a[Role::kEndYear]);
        if (a[Role::kBirthMonth] < 0 || a[Role::kBirthYear] < 0)
            values.birthDate = DateValue::Null();
        else
            values.birthDate = SeparateDate(row, a[Role::kBirthDay], a[Role::kBirthMonth], a[Role::kBirthYear]);
    } else {
        values.beginDate = CompleteDate(row, a[Role::kBegin]);
        values.endDate = CompleteDate(row, a[Role::kEnd]);
        values.birthDate = a[Role::kBirth] < 0 ? DateValue::Null() : CompleteDate(row, a[Role::kBirth]);
    }
    values.statusText = VariantToText(row[a[Role::kStatus]]);
    values.groupText = OptionalText(row, a[Role::kGroup]);
    values.sexText = OptionalText(row, a[Role::kSex]);
    return row.outcome();
}

}  // namespace kalderon
