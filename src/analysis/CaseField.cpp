#include "analysis/CaseField.h"

#include <algorithm>
#include <cctype>

#include "common/TextFormat.h"
#include "import/DatePattern.h"
#include "resources/Texts.h"
#include "stats/CalendarTable.h"

namespace kalderon {

Refusal FindCaseField(const DataColumns& columns, bool hasBirthColumn, std::string_view name, CaseField& field)
{
    field = CaseField{-1, DerivedField::kNone, std::string(name)};
    if (name == kAgeFieldName) {
        field.derived = DerivedField::kAge;
        if (!hasBirthColumn) return FormatText(text::kAgeNeedsBirth, field.name);
        return std::nullopt;
    }
    if (name == kBeginYearFieldName) {
        field.derived = DerivedField::kBeginYear;
        return std::nullopt;
    }
    for (size_t i = 0; i < columns.columnCount(); ++i)
        if (columns[i].name() == name) {
            field.column = static_cast<std::int32_t>(i);
            return std::nullopt;
        }
    const bool digits = !name.empty() && name.size() <= 9 &&
                        std::all_of(name.begin(), name.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
    if (digits) {
        const auto number = std::stol(std::string(name));
        if (number >= 1 && static_cast<size_t>(number) <= columns.columnCount()) {
            field.column = static_cast<std::int32_t>(number - 1);
            return std::nullopt;
        }
    }
    return FormatText(text::kNoSuchCaseField, field.name);
}

std::optional<int> DerivedValue(DerivedField field, const CCaseRecord& c)
{
    if (!c.beginDate.isValid()) return std::nullopt;
    const YearAndDay begin = LookUpYearAndDay(c.beginDate);
    if (field == DerivedField::kBeginYear) return begin.year;
    if (field != DerivedField::kAge || !c.birthDate.isValid()) return std::nullopt;
    return CompletedYearsOfAge(LookUpYearAndDay(c.birthDate), begin);
}

std::string_view FieldText(const DataColumns& columns, const CaseField& field, size_t row, const CCaseRecord& c,
                           std::string& buffer)
{
    if (field.derived == DerivedField::kNone) return columns[static_cast<size_t>(field.column)].Value(row);
    const std::optional<int> value = DerivedValue(field.derived, c);
    buffer = value ? std::to_string(*value) : std::string();
    return buffer;
}

std::optional<double> FieldDate(std::string_view text)
{
    const auto shaped = [&](std::string_view pattern) {
        if (text.size() != pattern.size()) return false;
        for (size_t i = 0; i < text.size(); ++i) {
            const bool digit = std::isdigit(static_cast<unsigned char>(text[i])) != 0;
            const bool wanted = std::isalpha(static_cast<unsigned char>(pattern[i])) != 0;
            if (digit != wanted || (!wanted && text[i] != pattern[i])) return false;
        }
        return true;
    };
    for (const char* pattern : {"DD.MM.YYYY", "YYYY-MM-DD", "YYYYMMDD"}) {
        if (!shaped(pattern)) continue;
        const DateValue date = ParseDatePattern(text, pattern);
        if (date.isValid()) return date.serial();
    }
    return std::nullopt;
}

}  // namespace kalderon
