#include "analysis/CaseCondition.h"

#include <algorithm>

#include "common/TextFormat.h"
#include "resources/Texts.h"

namespace kalderon {
namespace {

constexpr std::string_view kRangeMark = "..";

std::vector<std::string> SplitValues(std::string_view text)
{
    std::vector<std::string> values;
    for (;;) {
        const size_t comma = text.find(',');
        values.emplace_back(text.substr(0, comma));
        if (comma == std::string_view::npos) return values;
        text.remove_prefix(comma + 1);
    }
}

std::string JoinValues(const std::vector<std::string>& values)
{
    std::string joined;
    for (const std::string& value : values) joined += (joined.empty() ? "" : ",") + value;
    return joined;
}

// An end of a range: a number, or a date when `date`; nothing for neither.
std::optional<double> ReadEnd(const std::string& text, bool& date)
{
    if (const std::optional<double> number = ReadNumber(text)) {
        date = false;
        return number;
    }
    date = true;
    if (text.size() != 10 || text[2] != '.' || text[5] != '.') return std::nullopt;
    return FieldDate(text);
}

}  // namespace

std::string CaseCondition::Text() const
{
    const std::string& name = field.name;
    switch (test) {
    case Test::kOneOf: return name + "=" + JoinValues(values);
    case Test::kNoneOf: return name + "!=" + JoinValues(values);
    case Test::kRange: return name + "=" + fromText + std::string(kRangeMark) + toText;
    case Test::kEmpty: return name + "=";
    }
    return name;
}

Refusal ReadRange(const std::string& fromText, const std::string& toText, CaseCondition& condition)
{
    condition.test = CaseCondition::Test::kRange;
    condition.fromText = fromText;
    condition.toText = toText;
    condition.from = condition.to = std::nullopt;
    bool fromDate = false, toDate = false;
    if (!fromText.empty() && !(condition.from = ReadEnd(fromText, fromDate))) return text::kRangeEndsNotRead;
    if (!toText.empty() && !(condition.to = ReadEnd(toText, toDate))) return text::kRangeEndsNotRead;
    if (!fromText.empty() && !toText.empty() && fromDate != toDate) return text::kRangeEndsNotRead;
    condition.dates = fromText.empty() ? toDate : fromDate;
    return std::nullopt;
}

Refusal ReadCaseCondition(const DataColumns& columns, bool hasBirthColumn, std::string_view text,
                          CaseCondition& condition)
{
    const std::string written(text);
    const size_t equals = text.find('=');
    std::string_view name = text.substr(0, equals);
    const bool negated = equals != std::string_view::npos && !name.empty() && name.back() == '!';
    if (negated) name.remove_suffix(1);
    const std::string_view rest = equals == std::string_view::npos ? std::string_view() : text.substr(equals + 1);
    const bool operatorLike = !name.empty() && std::string_view("<>=!~:").find(name.back()) != std::string_view::npos;
    if (equals == std::string_view::npos || name.empty() || operatorLike || (!rest.empty() && rest.front() == '='))
        return FormatText(text::kConditionUnknownOperator, written);
    condition = CaseCondition{};
    if (Refusal refusal = FindCaseField(columns, hasBirthColumn, name, condition.field))
        return FormatText(text::kConditionRefused, written, *refusal);

    const size_t range = rest.find(kRangeMark);
    if (negated) {
        condition.test = CaseCondition::Test::kNoneOf;
        condition.values = SplitValues(rest);
    } else if (rest.empty()) {
        condition.test = CaseCondition::Test::kEmpty;
    } else if (range != std::string_view::npos && rest.find(',') == std::string_view::npos) {
        if (Refusal refusal = ReadRange(std::string(rest.substr(0, range)),
                                        std::string(rest.substr(range + kRangeMark.size())), condition))
            return FormatText(text::kConditionRefused, written, *refusal);
    } else {
        condition.values = SplitValues(rest);
    }
    return std::nullopt;
}

bool MeetsCondition(const CaseCondition& condition, std::string_view value)
{
    switch (condition.test) {
    case CaseCondition::Test::kOneOf:
    case CaseCondition::Test::kNoneOf: {
        const bool listed = std::find(condition.values.begin(), condition.values.end(), value) != condition.values.end();
        return listed == (condition.test == CaseCondition::Test::kOneOf);
    }
    case CaseCondition::Test::kRange: {
        const std::optional<double> number = condition.dates ? FieldDate(value) : ReadNumber(value);
        return number && (!condition.from || *number >= *condition.from) && (!condition.to || *number <= *condition.to);
    }
    case CaseCondition::Test::kEmpty: return value.empty();
    }
    return false;
}

std::string SelectionText(const std::vector<CaseCondition>& conditions)
{
    std::string text;
    for (const CaseCondition& condition : conditions) text += (text.empty() ? "" : "; ") + condition.Text();
    return text;
}

}  // namespace kalderon
